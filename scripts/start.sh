#!/usr/bin/env bash
# Installs what is missing, builds Korvane and starts it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_GUI=ON -DKORVANE_BUILD_TESTS=OFF -DKORVANE_BUILD_BENCH=OFF
cmake --build "$here/build" -j"$(nproc)"
program="$here/build/app/korvane"
if [ ! -x "$program" ]; then
    echo "Built the core library; the desktop program is not part of this build yet."
    exit 0
fi
exec "$program"
