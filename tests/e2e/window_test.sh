#!/usr/bin/env bash
# The window as it first appears: its title, its size with the client area
# below the menu bar, the calibration file it creates, and File > Exit.
# Usage: window_test.sh QUILLET
QUILLET=$1
source "$(dirname "$0")/e2e_lib.sh"
e2e_setup
e2e_start_app

title=$(xdotool getwindowname "$E2E_WID")
[[ $title == Quillet ]] || fail "window title is \"$title\""

width=$(window_width "$E2E_WID")
height=$(window_height "$E2E_WID")
note "window ${width}x${height}"
((width == 740)) || fail "window is $width px wide, expected 740"

# Find the menu bar's lower edge from the pixels: the first white row in the
# left margin of the window, where nothing but the client background lies.
xwd -id "$E2E_WID" -silent | convert xwd:- -crop 1x120+4+0 +repage txt:- >"$E2E_TMP/column.txt"
client_top=$(awk -F'[,:]' 'NR > 1 && /#FFFFFF/ {print $2; exit}' "$E2E_TMP/column.txt")
[[ -n $client_top ]] || fail "no white client area found below the menu bar"
note "client area starts $client_top px below the top of the window"
((height - client_top == 462)) || fail "client area is $((height - client_top)) px high, expected 462"
((client_top == E2E_MENU_HEIGHT)) || fail "menu bar height $client_top px, but window height - 462 = $E2E_MENU_HEIGHT"

# The first dark filler box stands at (960, 240) twips of the client area,
# 855x495 twips: its middle is black, just left of it is white.
pixel() {
  xwd -id "$E2E_WID" -silent | convert xwd:- -crop "1x1+$1+$2" +repage txt:- | awk 'NR == 2 {print $3}'
}
middle=$(pixel $((960 / 15 + 28)) $((client_top + 240 / 15 + 16)))
[[ $middle == "#000000" ]] || fail "filler box Text1(0) is not black at its place (got $middle)"
outside=$(pixel $((960 / 15 - 4)) $((client_top + 240 / 15 + 16)))
[[ $outside == "#FFFFFF" ]] || fail "background left of Text1(0) is not white (got $outside)"

# A first start in an empty folder writes the default calibration.
expect_bytes "$E2E_TMP/work/Quillex.dat" '0\r\n0\r\n'
[[ $(ls -A "$E2E_TMP/work") == Quillex.dat ]] || fail "unexpected files: $(ls -A "$E2E_TMP/work")"

exit_app
# Exit writes nothing further.
expect_bytes "$E2E_TMP/work/Quillex.dat" '0\r\n0\r\n'
note "window test passed"
