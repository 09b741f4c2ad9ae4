#!/usr/bin/env bash
# Starts the real program under Xvfb and writes screenshots of the home
# window and of each panel after Calculate with the default inputs:
#   docs/screenshots/home.png, rc_stage.png, global_feedback.png,
#   feedback_network.png, marked_field.png (a field typed as "100k", with its
#   tool tip), calculator_help.png (Help on This Calculator over the RC
#   stage panel), maximised_panel.png (the window at the screen's size with
#   the feedback network panel listing E96 dividers at 1 % tolerance),
#   load_line_12ax7.png (the Triode Load Line window as it opens: a 12AX7
#   at B+ 250 V, Rb 100k, Rk 1.5k, Rcf 470k), file_menu.png (the File menu
#   open), design_sheet.png (the design sheet of the default inputs,
#   exported as PDF and drawn by pdftoppm at 60 dpi) and about.png (the
#   About box); then, with korvane_theme_shots from the same build, the
#   marks under a dark palette and under a style sheet (dark_*.png,
#   style_sheet_*.png)
# The program runs from a fresh directory of its own, with settings of its
# own, so it starts from the default inputs files and with no design. The
# panels are driven with mouse clicks at their
# buttons' places, computed from the window's size and the layout fractions.
# Exits non-zero when the window does not come up or a step fails.
#
# Usage: scripts/screenshots.sh [path/to/korvane] [output directory]

set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="${1:-$here/build/app/korvane}"
outdir="${2:-$here/docs/screenshots}"

for tool in Xvfb xdotool import pdftoppm; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is not installed" >&2; exit 2; }
done
[[ -x "$program" ]] || { echo "screenshots: no program at $program" >&2; exit 2; }
mkdir -p "$outdir"

work="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
    [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display number of Xvfb's own choosing.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "screenshots: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

mkdir "$work/program"
cp "$program" "$work/program/korvane"
# The user's settings (Engineering notation) from a folder of its own.
export XDG_CONFIG_HOME="$work/config"
QT_QPA_PLATFORM=xcb "$work/program/korvane" >"$work/korvane.log" 2>&1 &
app_pid=$!

# Wait up to 20 s for the main window, giving up early if the program ends.
wid=""
for _ in $(seq 100); do
    wid="$(xdotool search --onlyvisible --name '^Amplifier Design$' 2>/dev/null | head -n1 || true)"
    [[ -n "$wid" ]] && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.2
done
if [[ -z "$wid" ]]; then
    echo "screenshots: the main window did not come up" >&2
    cat "$work/korvane.log" >&2
    exit 1
fi

eval "$(xdotool getwindowgeometry --shell "$wid")"  # sets WIDTH and HEIGHT
echo "screenshots: window $wid, ${WIDTH}x${HEIGHT}"
# The menu bar stands above the client area, whose height the window sets
# to 60 % of the screen's, at most 5130 twips (342 pixels at 96 dpi): the
# rest of the window's height is the bar.
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
bar="$(awk -v h="$HEIGHT" -v s="$screen_h" \
    'BEGIN { c = s * 0.6; if (c > 342) c = 342; printf "%d", h - c + 0.5 }')"
echo "screenshots: menu bar ${bar} pixels"

settle() { sleep 0.7; }
# The id of the visible window whose name matches $1, waiting up to 10 s;
# stops the script, naming $2, when none comes up.
window_named() {
    local id=""
    for _ in $(seq 50); do
        id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)"
        [[ -n "$id" ]] && { echo "$id"; return; }
        sleep 0.2
    done
    echo "screenshots: $2 did not come up" >&2
    exit 1
}
# Clicks at fractions of the client area (the centre of a control).
click_at() {
    local x y
    x="$(awk -v w="$WIDTH" -v f="$1" 'BEGIN { printf "%d", w * f }')"
    y="$(awk -v h="$HEIGHT" -v b="$bar" -v f="$2" 'BEGIN { printf "%d", b + (h - b) * f }')"
    xdotool mousemove --window "$wid" "$x" "$y" click 1
    settle
}
shot() {
    import -window "$wid" "$outdir/$1.png"
    echo "screenshots: wrote $outdir/$1.png"
}
alive() {
    kill -0 "$app_pid" 2>/dev/null || { echo "screenshots: the program ended" >&2; exit 1; }
}

settle
shot home

# The selector buttons stand 0.3 W apart around the centre, 0.70 H to 0.80 H.
select_rc=(0.20 0.75)
select_feedback=(0.50 0.75)
select_network=(0.80 0.75)

# RC stage gain: Calculate1 at 0.05-0.25 SW, 0.87-0.97 SH; Close1 0.30-0.50 SW.
click_at "${select_rc[@]}"
click_at 0.15 0.92
alive
shot rc_stage

# The Triode Load Line window, from "From Tube Model..." in the RC panel's
# first row (0.02-0.26 SW, 0.05-0.13 SH). It opens on the 12AX7 stage; its
# Close button is at its bottom right.
click_at 0.14 0.09
lwid="$(window_named '^Triode Load Line$' "the load line window")"
settle
import -window "$lwid" "$outdir/load_line_12ax7.png"
echo "screenshots: wrote $outdir/load_line_12ax7.png"
eval "$(xdotool getwindowgeometry --shell "$lwid" | sed 's/^/L/')"  # LWIDTH, LHEIGHT
xdotool mousemove --window "$lwid" "$((LWIDTH - 50))" "$((LHEIGHT - 22))" click 1
settle
if xdotool search --onlyvisible --name '^Triode Load Line$' >/dev/null 2>&1; then
    echo "screenshots: the load line window did not close" >&2
    exit 1
fi
click_at 0.40 0.92

# Global feedback: Calculate3 at 0.02-0.22 SW, 0.05-0.15 SH; Close3 0.20-0.30 SH.
# Its Close saves the feedback factor that the network panel takes up.
click_at "${select_feedback[@]}"
click_at 0.12 0.10
alive
shot global_feedback
click_at 0.12 0.25

# Feedback network: CmdCalc at 0.02-0.22 SW, 0.04-0.12 SH.
click_at "${select_network[@]}"
click_at 0.12 0.08
alive
shot feedback_network
# Close2 at 0.02-0.22 SW, 0.14-0.22 SH, then the home state is back.
click_at 0.12 0.18

# A field whose text is not one number: Rb typed as "100k". Its row is
# 0.21-0.29 SH, the input box 0.62-0.87 SW. The tool tip is a window of its
# own, so this picture is taken of the screen around the main window.
click_at "${select_rc[@]}"
click_at 0.745 0.25
xdotool type --delay 40 "100k"
xdotool mousemove --window "$wid" "$(awk -v w="$WIDTH" 'BEGIN { printf "%d", w * 0.80 }')" \
    "$(awk -v h="$HEIGHT" -v b="$bar" 'BEGIN { printf "%d", b + (h - b) * 0.25 }')"
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$wid")"  # X, Y too
import -window root -crop "$((WIDTH + 120))x$((HEIGHT + 40))+$X+$Y" "$outdir/marked_field.png"
echo "screenshots: wrote $outdir/marked_field.png"
click_at 0.745 0.25
xdotool key ctrl+a
xdotool type --delay 40 "100e3"

# Help on This Calculator (F1) over the RC stage panel: a window of its own.
xdotool key F1
settle
help_wid="$(window_named '^Help on This Calculator' "the help window")"
import -window "$help_wid" "$outdir/calculator_help.png"
echo "screenshots: wrote $outdir/calculator_help.png"
xdotool key Escape
settle
click_at 0.40 0.92

# The File menu, open over the home state. The menu is a window of its own,
# so this picture is taken of the screen where the main window is.
xdotool mousemove --window "$wid" 20 10 click 1
settle
eval "$(xdotool getwindowgeometry --shell "$wid")"
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" "$outdir/file_menu.png"
echo "screenshots: wrote $outdir/file_menu.png"

# The design sheet of the default inputs: the open menu's Export Design
# Sheet as PDF (its mnemonic E), a file name typed into the dialog, and the
# PDF drawn as a picture.
xdotool key e
sleep 1.5
dialog="$(window_named '^Export Design Sheet as PDF$' "the export dialog")"
xdotool windowfocus "$dialog"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 20 "$work/sheet.pdf"
xdotool key Return
for _ in $(seq 50); do [[ -s "$work/sheet.pdf" ]] && break; sleep 0.1; done
[[ -s "$work/sheet.pdf" ]] || { echo "screenshots: the sheet was not exported" >&2; exit 1; }
pdftoppm -png -r 60 -singlefile "$work/sheet.pdf" "$outdir/design_sheet"
echo "screenshots: wrote $outdir/design_sheet.png"

# About Korvane, from the Help menu (Alt+H, then its mnemonic A).
xdotool windowfocus "$wid"
settle
xdotool key alt+h
settle
xdotool key a
sleep 1
about="$(window_named '^About Korvane$' "the About box")"
import -window "$about" "$outdir/about.png"
echo "screenshots: wrote $outdir/about.png"
xdotool windowfocus "$about"
xdotool key Return
settle
xdotool windowfocus "$wid"
alive

# The window filling the screen, as maximised, with a panel open: there is
# no window manager here to maximise it, so it is given the screen's size.
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
xdotool windowmove "$wid" 0 0 windowsize "$wid" "$screen_w" "$screen_h"
settle
eval "$(xdotool getwindowgeometry --shell "$wid")"
echo "screenshots: window resized to ${WIDTH}x${HEIGHT}"
click_at "${select_network[@]}"
# The E96 series at 1 % tolerance: each choice's list is opened by a click
# and stepped with the arrow keys (E24 to E96; none to 1 %), then Return.
# Series at 0.24-0.44 SW, 0.06-0.14 SH; tolerance 0.16-0.24 SH.
click_at 0.34 0.10
xdotool key --delay 150 Down Down Return
settle
click_at 0.34 0.20
xdotool key --delay 150 Down Down Down Return
settle
click_at 0.12 0.08
alive
shot maximised_panel
click_at 0.12 0.18

# End: 0.85 H to 0.95 H, centred.
click_at 0.50 0.90
for _ in $(seq 30); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "screenshots: the program did not end on End" >&2
    exit 1
fi
app_pid=""

# The marks under a dark palette and under a style sheet, drawn by the
# build's own tool in the same X server.
shots_tool="$(dirname "$program")/../tests/gui/korvane_theme_shots"
if [[ -x "$shots_tool" ]]; then
    QT_QPA_PLATFORM=xcb "$shots_tool" "$outdir" dark style_sheet
else
    echo "screenshots: no $shots_tool: the dark and style sheet pictures are not made" >&2
fi
echo "screenshots: done"
