#!/usr/bin/env bash
# The window as it first appears: its title, its client area below the menu
# bar at 96 and 144 dots per inch, seven letters seen whole in a box at 96,
# 120 and 144, its colours (on Windows also under a dark scheme), the calibration
# file it creates, what a screen reader is told of its cells, the client
# area's height whatever the calibration file holds, and its two ends, File >
# Exit and closing the window, each with status 0. A calibration file that
# cannot be read is named in a message once the window is up.
# Usage: window_test.sh linux QUILLET | windows QUILLET_EXE WINDOW_PROBE_EXE
source "$(dirname "$0")/drivers/$1.sh" "${@:2}"
dat=$E2E_TMP/work/Quillex.dat

# expect_client_area WIDTH HEIGHT: within 5 s, as the window finishes
# painting, it is WIDTH px wide (it has no frame) and its white client area
# HEIGHT px high. On Windows the scheme set below makes the menu bar grey.
expect_client_area() {
  local width height top want_width=$1 want_height=$2
  if [[ $PLATFORM == windows ]]; then expect_pixel 4 2 "#C0C0C0" "the menu bar"; fi
  width=$(window_width "$E2E_WID") height=$(window_height "$E2E_WID")
  wait_for 5 eval 'top=$(client_top) && ((width == want_width && height - top == want_height))' || true
  note "window ${width}x${height}, client area from ${top:-nowhere} px down"
  [[ -n $top ]] || fail "no white client area found below the menu bar"
  ((width == $1 && height - top == $2)) || fail "the client area is ${width}x$((height - top)) px, expected $1x$2"
}

# expect_look [FILLER]: the first filler, Text1(0), at (960, 240) twips, 855 x
# 495, is black (or FILLER) in the middle on the white background; heading
# Label2 ("1") left of it stands on white.
expect_look() {
  local y=$((E2E_MENU_HEIGHT + 240 / 15 + 16))
  expect_pixel $((960 / 15 + 28)) "$y" "${1:-#000000}" "filler Text1(0)"
  expect_pixel $((960 / 15 - 4)) "$y" "#FFFFFF" "the background"
  expect_pixel $((600 / 15 + 1)) $((y + 15)) "#FFFFFF" "heading Label2's background"
}

if [[ $PLATFORM == windows ]]; then
  # Windows only, the desktop's scheme: that of Windows 10 and of Wine's own
  # theme, where caption text is black. The menu bar is grey, to tell it apart.
  set_colours TitleText "0 0 0" WindowText "0 0 0" HilightText "255 255 255" \
    Menu "192 192 192" MenuBar "192 192 192"
fi

# expect_whole_label DPI: typed into R1Text1(0), which has the focus, seven
# letters begin where one does: the box shows them from the first. Where the
# first letter stands once the box has lost the focus is the left seventh of
# the upper box, at (1920, 240) twips, 855 wide; it is taken once two looks
# agree, as the box may still be repainting.
expect_whole_label() {
  local place=$((855 * $1 / 1440 / 7))x$((240 * $1 / 1440))+$((1920 * $1 / 1440))+$((E2E_MENU_HEIGHT + 240 * $1 / 1440))
  first_letter() { xwd -id "$E2E_WID" -silent | convert xwd:- -crop "$place" +repage "ppm:$E2E_TMP/$1.ppm"; }
  type_text A
  xdotool key Tab
  wait_for 5 eval 'first_letter before && sleep 0.2 && first_letter A && cmp -s "$E2E_TMP/before.ppm" "$E2E_TMP/A.ppm"' ||
    fail "R1Text1(0) did not settle at $1 dpi"
  xdotool key shift+Tab
  type_text ABCDEFG
  xdotool key Tab
  wait_for 5 eval 'first_letter ABCDEFG && cmp -s "$E2E_TMP/A.ppm" "$E2E_TMP/ABCDEFG.ppm"' ||
    fail "at $1 dpi \"ABCDEFG\" does not show from its first letter in its box"
  xdotool key shift+Tab
}

start_app
title=$(xdotool getwindowname "$E2E_WID")
[[ $title == Quillet ]] || fail "window title is \"$title\""
expect_look
expect_client_area 740 462
expect_whole_label 96
# A first start in an empty folder writes the default calibration, and only that.
expect_bytes "$dat" '0\r\n0\r\n'
[[ $(ls -A "$E2E_TMP/work") == Quillex.dat ]] || fail "unexpected files: $(ls -A "$E2E_TMP/work")"
check_screen_reader
exit_app
expect_bytes "$dat" '0\r\n0\r\n'

# Whatever Quillex.dat holds, the Print caption keeps the menu bar one row:
# a long first line, the line feeds of a Linux editor, NUL bytes.
for bytes in "$(printf 'W%.0s' {1..400})\r\n0\r\n" '0.25\n0.5\n\n\n\n\n\n\n' '0\0\0\0.5\r\n\0\0\r\n'; do
  printf "$bytes" >"$dat"
  start_app
  expect_client_area 740 462
  exit_app
done
printf '0\r\n0\r\n' >"$dat"

# At 144 dots per inch the same twips are half as many pixels again; at 120
# (a quarter more) seven letters are seen whole too.
set_dpi 120
start_app 578
expect_whole_label 120
exit_app
set_dpi 144
start_app 693
expect_client_area 1110 693
expect_whole_label 144
exit_app
set_dpi 96

# Windows only: the classic scheme, where caption text is white, looks the same.
if [[ $PLATFORM == windows ]]; then set_colours TitleText "255 255 255"; fi
start_app
expect_look
close_window
app_ended "closing the window"

# Windows only: a dark scheme that is not high contrast, white text in black
# boxes: the fillers turn grey, to stand apart from the empty boxes.
if [[ $PLATFORM == windows ]]; then
  set_colours Window "0 0 0" WindowText "255 255 255"
  start_app
  expect_look "#767676"
  expect_pixel $((2880 / 15 + 28)) $((E2E_MENU_HEIGHT + 26)) "#000000" "box R1Text1(1)"
  exit_app
fi

# A folder where the calibration file should be: the window comes up all the
# same, and then a message box, titled like it, says what is wrong.
rm "$dat"
mkdir "$dat"
start_app
expect_message "about the calibration file" 'Quillex\.dat'
[[ -d $dat ]] || fail "the folder Quillex.dat was replaced"
exit_app
