#!/usr/bin/env bash
# "korvane FILE.korvane", as a file manager starts it, opens that design: a
# copy of the built program, in a folder of its own so that it keeps its
# inputs files beside itself, is started headless on a design whose tube is
# 6SN7. Its Korvane_Gain.dat must come to hold that design's inputs and its
# settings (in a folder of this test's own) must name the design as the
# last one. The program is stopped once that is seen.
#
# Usage: open_from_command_line.sh path/to/korvane
set -euo pipefail

work="$(mktemp -d)"
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/program" "$work/config"
cp "$1" "$work/program/korvane"
{
    printf 'Korvane design\nversion 1\nKorvane_Gain.dat 11 lines\n'
    printf '%s\n' 6SN7 80000 100e3 470e3 1800 57 100e3 470e3 10 '' 0
    printf 'Korvane_Feedback.dat 16 lines\n'
    printf '%s\n' '6 L6' 26.5 8 22.5 22.5 25 '' 20 '' '' True False False True False False
    printf 'Korvane_Xfmr.dat 4 lines\n'
    printf '%s\n' 393.4e-3 550 1200 1 end
} >"$work/Amp.korvane"

HOME="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
    "$work/program/korvane" "$work/Amp.korvane" >"$work/log" 2>&1 &
pid=$!
for _ in $(seq 150); do
    if [ "$(head -n1 "$work/program/Korvane_Gain.dat" 2>/dev/null)" = $'6SN7\r' ] &&
        grep -qs "last=$work/Amp.korvane" "$work/config/Korvane/Korvane.ini"; then
        echo "opened $work/Amp.korvane from the command line"
        exit 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
echo "the design named on the command line was not opened" >&2
cat "$work/log" >&2
exit 1
