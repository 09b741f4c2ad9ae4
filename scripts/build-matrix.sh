#!/usr/bin/env bash
# Builds and tests every documented build: Debug, Release and
# RelWithDebInfo, each with GCC and with Clang, warnings as errors and the
# benchmarks built too, in build-matrix/<compiler>-<type>. Prints one line
# per build and exits non-zero when any failed. The logs stay beside the
# builds. Installs clang when it is missing.
#
# Usage: scripts/build-matrix.sh [compiler-type ...]   e.g. clang-Release
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/setup.sh" clang || exit 1

builds=("$@")
if [ ${#builds[@]} -eq 0 ]; then
    for compiler in gcc clang; do
        for type in Debug Release RelWithDebInfo; do builds+=("$compiler-$type"); done
    done
fi

failed=0
summary=()
for build in "${builds[@]}"; do
    compiler="${build%%-*}"
    type="${build#*-}"
    case "$compiler" in
        gcc) cxx=g++ ;;
        clang) cxx=clang++ ;;
        *) echo "build-matrix: unknown compiler in $build" >&2; exit 2 ;;
    esac
    dir="$here/build-matrix/$build"
    mkdir -p "$dir"
    echo "== $build"
    if KORVANE_TEST_BUILD_DIR="$dir" bash "$here/scripts/test.sh" -DCMAKE_BUILD_TYPE="$type" \
        -DCMAKE_CXX_COMPILER="$cxx" -DKORVANE_BUILD_BENCH=ON \
        >"$dir.log" 2>&1; then
        summary+=("$build: passed ($(grep -E 'tests passed' "$dir.log" | tail -n1))")
    else
        summary+=("$build: FAILED, see $dir.log")
        tail -n 30 "$dir.log"
        failed=1
    fi
done
printf '%s\n' "${summary[@]}"
exit "$failed"
