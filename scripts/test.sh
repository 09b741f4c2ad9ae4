#!/usr/bin/env bash
# Installs what is missing, builds Korvane with its tests and runs them all
# (the window tests run headless).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KORVANE_TEST_BUILD_DIR:-$here/build-test}"
bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DKORVANE_WERROR=ON -DKORVANE_BUILD_GUI=ON -DKORVANE_BUILD_TESTS=ON -DKORVANE_BUILD_BENCH=OFF "$@"
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
