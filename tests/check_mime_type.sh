#!/usr/bin/env bash
# The design files' type as the desktop reads it: a shared MIME-info
# database built from the program's MIME file alone must know the glob
# *.korvane and the first line "Korvane design", without a warning; and the
# desktop entry must offer to open that type with the file named after it.
#
# Usage: check_mime_type.sh data/org.korvane.Korvane.xml data/org.korvane.Korvane.desktop
set -euo pipefail
type=application/x-korvane-design
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/mime/packages"
cp "$1" "$work/mime/packages/"
XDG_DATA_HOME="$work" XDG_DATA_DIRS="$work" update-mime-database "$work/mime" >"$work/said" 2>&1
if [ -s "$work/said" ]; then
    cat "$work/said" >&2
    exit 1
fi
grep -qx "50:$type:\*.korvane" "$work/mime/globs2" || { echo "no glob *.korvane" >&2; exit 1; }
grep -aq "Korvane design" "$work/mime/magic" || { echo "no magic for the first line" >&2; exit 1; }
grep -qx "MimeType=$type;" "$2" || { echo "the desktop entry opens no $type" >&2; exit 1; }
grep -q "^Exec=korvane %f$" "$2" || { echo "the desktop entry passes no file" >&2; exit 1; }
echo "$type: *.korvane and its magic, opened by the desktop entry"
