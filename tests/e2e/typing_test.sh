#!/usr/bin/env bash
# Typing into the grid as a user does: the focus starting in R1Text1(0), Tab
# across a row end and from the last box back to the first, Shift+Tab, a
# letter outside ASCII from a French keyboard, a text longer than a label, a
# double-click copy on an upper box and none on a lower one, Clear, a paste of
# several lines, and the exact bytes File > LabelList > Add to LabelList.txt
# appends, in Windows-1252.
# Usage: typing_test.sh linux QUILLET | windows QUILLET_EXE WINDOW_PROBE_EXE
source "$(dirname "$0")/drivers/$1.sh" "${@:2}"
# A keyboard with a key of its own for "é"; the program reads the layout when
# it starts.
setxkbmap fr || fail "could not switch the keyboard to French"
start_app

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
# Tab and Shift+Tab select the whole text of the box they enter: "+"
# replaced "first", and "-" replaced "last".
expect_list '"+ caf\xe9"\r\n" row1end"\r\n"row2 "\r\n" -"\r\n'

# A text longer than a label stays whole, and scrolls in its box.
click_cell 3 4 2
type_text 'long "text" 123456'
# A double-click on the upper box of (R2, 1) copies (R2, 0) into it; one on
# the lower box of (R4, 0) copies nothing.
click_cell 2 1 1 2
click_cell 4 0 2 2
expect_list '"+ caf\xe9"\r\n" row1end"\r\n"row2 "\r\n"row2 "\r\n" long "text" 123456"\r\n" -"\r\n'
# The copy crosses a row end: (R2, 0) takes (R1, 8).
click_cell 2 0 1 2
expect_list '"+ caf\xe9"\r\n" row1end"\r\n" row1end"\r\n"row2 "\r\n" long "text" 123456"\r\n" -"\r\n'

# Clear empties every cell, and the grid takes new text as before.
menu c
expect_list ''
click_cell 5 4 1
type_text "again"
expect_list '"again "\r\n'

# Ctrl+V of several lines keeps the first, so (R1, 0) gets one line each: the
# box itself stops at the LF of "L1\r\nL2", the program at the lone CR of
# "A\rB" (a line end of old Macs).
paste_into() { # TEXT LINE: TEXT pasted into line LINE of (R1, 0)
  put_on_clipboard "$1"
  click_cell 1 0 "$2"
  xdotool key ctrl+v
  sleep 0.2
}
paste_into 'L1\r\nL2' 1
paste_into 'A\rB' 2
expect_list '"L1 A"\r\n"again "\r\n'

expect_bytes "$E2E_TMP/work/Quillex.dat" '0\r\n0\r\n'
exit_app
