#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for a fixed time on a copy of
# its seed corpus (fuzz/corpus/<target>) in a temporary folder, so the
# committed corpus never grows. Installs what is missing on Debian or Ubuntu
# (sudo when not root).
#
# Exits non-zero when any target finds something: a crash, a sanitizer
# report, a leak, a timeout, running out of memory, or a broken invariant
# (the targets abort on those). The inputs that did it are kept in
# <build>/findings, with the command that replays them.
#
# Usage: scripts/fuzz.sh [seconds per target]
#   seconds per target: the argument, else $KORVANE_FUZZ_SECONDS, else 20
#   KORVANE_FUZZ_TARGETS="fuzz_items fuzz_network": only those targets
#   KORVANE_FUZZ_BUILD_DIR: the build folder (default build-fuzz)
#   KORVANE_FUZZ_JOBS: parallel compile jobs (default 2)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-${KORVANE_FUZZ_SECONDS:-20}}"
build="${KORVANE_FUZZ_BUILD_DIR:-$here/build-fuzz}"
jobs="${KORVANE_FUZZ_JOBS:-2}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "fuzz: the time per target is a whole number of seconds, not '$seconds'" >&2
    exit 2
fi

# --- What building needs -------------------------------------------------
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
updated=""
install() {
    if [ -z "$updated" ]; then
        $sudo apt-get update -qq
        updated=1
    fi
    echo "fuzz: installing $*"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@"
}
installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# llvm-14 brings llvm-symbolizer, for stack traces with file and line.
missing=()
for p in cmake make clang-14 llvm-14; do
    installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    install "${missing[@]}"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# libFuzzer and the sanitizer runtimes: on Debian bookworm they are in
# libclang-rt-14-dev (only recommended by clang-14), on Ubuntu they come
# with clang-14 itself. A target that links tells.
links_fuzzer() {
    printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
        'extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }' \
        >"$work/probe.cpp"
    clang++-14 -fsanitize=fuzzer,address,undefined "$work/probe.cpp" -o "$work/probe" \
        >"$work/probe.log" 2>&1
}
if ! links_fuzzer; then
    install libclang-rt-14-dev || true
    if ! links_fuzzer; then
        echo "fuzz: clang++-14 cannot link a libFuzzer target with the sanitizers:" >&2
        cat "$work/probe.log" >&2
        exit 1
    fi
fi

# --- Build ---------------------------------------------------------------
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DKORVANE_FUZZ=ON -DKORVANE_WERROR=ON -DKORVANE_BUILD_GUI=OFF -DKORVANE_BUILD_TESTS=OFF \
    -DKORVANE_BUILD_BENCH=OFF >"$work/configure.log" 2>&1 || { cat "$work/configure.log" >&2; exit 1; }
cmake --build "$build" -j"$jobs"

targets="${KORVANE_FUZZ_TARGETS:-$(cat "$build/fuzz/targets.txt")}"

# --- Run -----------------------------------------------------------------
# The sanitizers stop at the first report; leaks are reported at the end
# of each input's run.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
unset LSAN_OPTIONS
if [ -x /usr/lib/llvm-14/bin/llvm-symbolizer ]; then
    export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
fi

findings="$build/findings"
rm -rf "$findings"
failed=()
for t in $targets; do
    program="$build/fuzz/$t"
    if [ ! -x "$program" ]; then
        echo "fuzz: no target $t in $build/fuzz" >&2
        failed+=("$t")
        continue
    fi
    corpus="$work/corpus/$t"
    mkdir -p "$corpus" "$work/artifacts"
    if [ -d "$here/fuzz/corpus/$t" ]; then
        cp -R "$here/fuzz/corpus/$t/." "$corpus/"
    fi
    seeds="$(find "$corpus" -type f | wc -l)"
    echo "== $t: ${seconds} s from $seeds seeds"
    log="$work/$t.log"
    status=0
    (cd "$work" && "$program" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/artifacts/$t-" \
        "$corpus") >"$log" 2>&1 || status=$?

    # The targets' own notes, and libFuzzer's last status line.
    grep -E "^$t: " "$log" || true
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n1 || true
    artifacts=("$work/artifacts/$t-"*)
    if [ "$status" -ne 0 ] || [ -e "${artifacts[0]}" ] || grep -qE 'runtime error:|ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer)|broken invariant' "$log" \
        || ! grep -qE '^Done [0-9]+ runs in [0-9]+ second' "$log"; then
        echo "fuzz: $t FOUND SOMETHING (exit status $status):" >&2
        # From the first report on, else the end of the log.
        first="$(grep -nE 'runtime error:|ERROR:|broken invariant|ALARM:' "$log" | head -n1 | cut -d: -f1)"
        if [ -n "$first" ]; then
            tail -n +"$first" "$log" | head -n 80 >&2
        else
            tail -n 40 "$log" >&2
        fi
        mkdir -p "$findings"
        for a in "${artifacts[@]}"; do
            [ -e "$a" ] || continue
            cp "$a" "$findings/"
            echo "fuzz: kept $findings/$(basename "$a"); replay it with: $program $findings/$(basename "$a")" >&2
        done
        cp "$log" "$findings/$t.log"
        failed+=("$t")
    else
        grep -E '^Done [0-9]+ runs' "$log"
        echo "$t: no findings; the corpus folder grew from $seeds to $(find "$corpus" -type f | wc -l) files"
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in: ${failed[*]}" >&2
    exit 1
fi
echo "fuzz: every target ran ${seconds} s with no findings"
