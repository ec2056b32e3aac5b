#!/usr/bin/env bash
# quillet.exe's window under Wine as it first appears: its title, its client
# area below the menu bar at 96 and at 144 dots per inch, its colours, the
# calibration file it creates, what a screen reader is told of its controls,
# the client area's height whatever the calibration file holds, and its two
# ends, File > Exit and closing the window, each with status 0. A calibration
# file that cannot be read is named in a message once the window is up.
# Usage: window_test.sh QUILLET_EXE WINDOW_PROBE_EXE
QUILLET=$(realpath "$1")
PROBE=$(realpath "$2")
here=$(dirname "$0")
source "$here/../e2e_lib.sh"
source "$here/wine_e2e_lib.sh"
wine_e2e_setup

# client_top: the first row, down the left margin, in the client area's
# colour, which the menu bar (made grey here) is not.
client_top() {
  xwd -id "$E2E_WID" -silent | convert xwd:- -crop 1x200+4+0 +repage txt:- |
    awk -F'[,:]' -v want="$1" 'NR > 1 && index($0, want) && top == "" {top = $2} END {print top}'
}

# The scheme of Windows 10 and of Wine's own theme, where caption text is
# black: the window looks as on Linux all the same, a white client area with
# black fillers and white headings. The menu bar is grey, to tell it apart.
wine_colours TitleText "0 0 0" WindowText "0 0 0" HilightText "255 255 255" \
  Menu "192 192 192" MenuBar "192 192 192"
wine_start_app
title=$(xdotool getwindowname "$E2E_WID")
[[ $title == Quillet ]] || fail "window title is \"$title\""
width=$(window_width "$E2E_WID")
height=$(window_height "$E2E_WID")
expect_pixel 4 2 "#C0C0C0" "the menu bar"
top=$(client_top "#FFFFFF")
note "window ${width}x${height}, client area from $top px down"
[[ -n $top ]] || fail "no white client area found below the menu bar"
((width == WINE_CLIENT_WIDTH)) || fail "client area is $width px wide, expected $WINE_CLIENT_WIDTH"
((height - top == WINE_CLIENT_HEIGHT)) ||
  fail "client area is $((height - top)) px high, expected $WINE_CLIENT_HEIGHT"

# The first filler, Text1(0), at (960, 240) twips, 855 x 495: black in the
# middle on the white background. Label2 ("1") left of it stands on white.
expect_pixel $((960 / 15 + 28)) $((top + 240 / 15 + 16)) "#000000" "filler Text1(0)"
expect_pixel $((960 / 15 - 4)) $((top + 240 / 15 + 16)) "#FFFFFF" "the background"
expect_pixel $((600 / 15 + 1)) $((top + 240 / 15 + 31)) "#FFFFFF" "heading Label2's background"

# A first start in an empty folder writes the default calibration, and only that.
expect_bytes "$E2E_TMP/work/Quillex.dat" '0\r\n0\r\n'
[[ $(ls -A "$E2E_TMP/work") == Quillex.dat ]] || fail "unexpected files: $(ls -A "$E2E_TMP/work")"

# A screen reader hears each cell by its name, and nothing else as a box to type in.
timeout 60 wine "$PROBE" accessibility >"$E2E_TMP/accessibility" 2>&1 ||
  fail "what oleacc tells of the controls: $(tr '\n' ' ' <"$E2E_TMP/accessibility" | cut -c1-600)"
note "oleacc: $(tail -1 "$E2E_TMP/accessibility")"
exit_app

# Whatever Quillex.dat holds, the Print caption keeps the menu bar one row:
# a long first line, the line feeds of a Linux editor, NUL bytes.
for bytes in "$(printf 'W%.0s' {1..400})\r\n0\r\n" "0.25\n0.5\n\n\n\n\n\n\n" '0\0\0\0.5\r\n\0\0\r\n'; do
  printf "$bytes" >"$E2E_TMP/work/Quillex.dat"
  wine_start_app
  expect_pixel 4 2 "#C0C0C0" "the menu bar"
  top=$(client_top "#FFFFFF")
  height=$(window_height "$E2E_WID")
  ((height - top == WINE_CLIENT_HEIGHT)) ||
    fail "with Quillex.dat \"${bytes:0:24}\" the client area is $((height - top)) px high, expected $WINE_CLIENT_HEIGHT"
  exit_app
done
note "Quillex.dat holding a long line, line feeds or NULs: the client area stays ${WINE_CLIENT_HEIGHT} px high"
printf '0\r\n0\r\n' >"$E2E_TMP/work/Quillex.dat"
expect_bytes "$E2E_TMP/work/Quillex.dat" '0\r\n0\r\n'

# At 144 dots per inch the same twips are half as many pixels again.
wine_dpi 144
wine_start_app 693
width=$(window_width "$E2E_WID")
height=$(window_height "$E2E_WID")
expect_pixel 4 2 "#C0C0C0" "the menu bar"
top=$(client_top "#FFFFFF")
note "at 144 dpi: window ${width}x${height}, client area from $top px down"
((width == 1110 && height - top == 693)) ||
  fail "client area is ${width}x$((height - top)) px at 144 dpi, expected 1110x693"
exit_app
wine_dpi 96

# The classic scheme, where caption text is white: the same look. Closing the
# window (Alt+F4) ends the program as Exit does.
wine_colours TitleText "255 255 255"
wine_start_app
expect_pixel $((960 / 15 + 28)) $((E2E_MENU_HEIGHT + 240 / 15 + 16)) "#000000" \
  "filler Text1(0) in the classic scheme"
focus_main
xdotool key --clearmodifiers alt+F4
wait_app_end "Alt+F4"

# A folder where the calibration file should be: the window comes up all the
# same, and then a message box, titled like it, says what is wrong.
rm "$E2E_TMP/work/Quillex.dat"
mkdir "$E2E_TMP/work/Quillex.dat"
wine_start_app
box=$(new_window Quillet "$E2E_WID") || fail "no message about the calibration file appeared"
timeout 60 wine "$PROBE" texts Quillet >"$E2E_TMP/texts" 2>"$E2E_TMP/probe.log" ||
  fail "the probe could not read the message: $(cat "$E2E_TMP/probe.log")"
note "message: $(tr '\f\n' '  ' <"$E2E_TMP/texts")"
grep -q 'Quillex\.dat' "$E2E_TMP/texts" || fail "the message does not name Quillex.dat"
focus "$box"
xdotool key Return
wait_for 10 dialog_gone "$box" || fail "the message box did not close on Return"
[[ -d $E2E_TMP/work/Quillex.dat ]] || fail "the folder Quillex.dat was replaced"
exit_app
note "Windows window test passed"
