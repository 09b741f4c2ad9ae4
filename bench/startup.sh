#!/usr/bin/env bash
# Start-up and peak memory of Korvane against a bare Qt window of 30
# widgets, in a real X server (Xvfb), from a Release build:
#   to first paint and to exit, after start-up ("shown");
#   peak memory with every panel opened and calculated ("exercised").
# Usage: bench/startup.sh [runs]   (default 21)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-21}"
build="$here/build-bench"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target korvane_startup_probe baseline_window korvane_startup_bench >/dev/null

work="$(mktemp -d)"
xvfb_pid=""
cleanup() { [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb

# Each program from a folder of its own, so the inputs files are its own.
cp "$build/bench/startup/korvane_startup_probe" "$build/bench/startup/baseline_window" "$work/"
bench="$build/bench/startup/korvane_startup_bench"
"$bench" --runs "$runs" --mode shown "$work/korvane_startup_probe" "$work/baseline_window"
echo
"$bench" --runs "$runs" --mode exercised "$work/korvane_startup_probe" "$work/baseline_window"
