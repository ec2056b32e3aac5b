#!/usr/bin/env bash
# Typing into quillet.exe's grid under Wine as a user does: the focus starting
# in R1Text1(0), Tab across a row end and from the last box back to the first,
# a letter outside ASCII, a double-click copy on an upper box and none on a
# lower one, Clear, a paste of several lines, and the exact bytes File >
# LabelList > Add to LabelList.txt appends, in Windows-1252.
# Usage: typing_test.sh QUILLET_EXE WINDOW_PROBE_EXE
QUILLET=$(realpath "$1")
PROBE=$(realpath "$2")
here=$(dirname "$0")
source "$here/../e2e_lib.sh"
source "$here/wine_e2e_lib.sh"
wine_e2e_setup
# A keyboard with a key of its own for "é", as a French user types it; Wine
# reads the layout when the program starts.
setxkbmap fr || fail "could not switch the keyboard to French"
wine_start_app
list=$E2E_TMP/work/LabelList.txt

type_text "first"
xdotool key Tab
type_text "caf"
xdotool key eacute
# R1Text2(8), the last box of row 1; Tab goes on to R2Text1(0).
click_cell 1 8 2
type_text "row1end"
xdotool key Tab
type_text "row2"
# R9Text2(8), the last box of all; Tab wraps round to R1Text1(0), and the
# boxes beyond, fillers and headings, are never visited on the way.
click_cell 9 8 2
type_text "last"
xdotool key Tab
type_text "+"
xdotool key shift+Tab
type_text "-"
add_to_list
# Tab selects the whole text of the box it enters, so "+" replaced "first"
# and Shift+Tab went back to R9Text2(8).
expect_bytes "$list" \
  '"+ caf\xe9"\r\n" row1end"\r\n"row2 "\r\n" -"\r\n'

# A text longer than a label stays whole, and scrolls in its box.
click_cell 3 4 2
type_text 'long "text" 123456'
# A double-click on the upper box of (R2, 1) copies (R2, 0) into it; one on
# the lower box of (R4, 0) copies nothing.
double_click_cell 2 1 1
double_click_cell 4 0 2
: >"$list"
add_to_list
expect_bytes "$list" \
  '"+ caf\xe9"\r\n" row1end"\r\n"row2 "\r\n"row2 "\r\n" long "text" 123456"\r\n" -"\r\n'

# The copy crosses a row end: (R2, 0) takes (R1, 8). Then Clear empties all.
double_click_cell 2 0 1
: >"$list"
add_to_list
expect_bytes "$list" \
  '"+ caf\xe9"\r\n" row1end"\r\n" row1end"\r\n"row2 "\r\n" long "text" 123456"\r\n" -"\r\n'
menu c
: >"$list"
add_to_list
expect_bytes "$list" ''

# Ctrl+V of several lines keeps the first, so the list gets one record: the
# box itself stops at the LF of "L1\r\nL2", the program at the lone CR of
# "A\rB" (a line end of old Macs).
paste_into_cell() { # TEXT GROUP INDEX LINE
  timeout 60 wine "$PROBE" clipboard "$1" || fail "could not put \"$1\" on the clipboard"
  click_cell "$2" "$3" "$4"
  xdotool key ctrl+v
  sleep 0.2
}
paste_into_cell 'L1\r\nL2' 1 0 1
paste_into_cell 'A\rB' 1 0 2
: >"$list"
add_to_list
expect_bytes "$list" '"L1 A"\r\n'

expect_bytes "$E2E_TMP/work/Quillex.dat" '0\r\n0\r\n'
exit_app
note "Windows typing test passed"
