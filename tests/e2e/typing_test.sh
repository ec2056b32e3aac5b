#!/usr/bin/env bash
# Typing into the grid as a user does: Tab order across a row end and from the
# last cell back to the first, a double-click copy, Clear, and the exact bytes
# that File > LabelList > Add to LabelList.txt appends.
# Usage: typing_test.sh QUILLET
QUILLET=$1
source "$(dirname "$0")/e2e_lib.sh"
e2e_setup
e2e_start_app
list=$E2E_TMP/work/LabelList.txt

# The focus starts in R1Text1(0).
type_text "first"
# R1Text2(8), the last box of row 1; Tab goes on to R2Text1(0).
click_cell 1 8 2
type_text "row1end"
xdotool key Tab
type_text "row2"
# R9Text2(8), the last box of all; Tab wraps round to R1Text1(0).
click_cell 9 8 2
type_text "last"
xdotool key Tab
# Tab selects the whole text of the box it enters, so typing replaces "first".
type_text "+wrap"
# A text longer than a label stays whole in the window and the list.
click_cell 3 4 2
type_text 'long "text" 1234'

add_to_list
expect_bytes "$list" \
  '"+wrap "\r\n" row1end"\r\n"row2 "\r\n" long "text" 1234"\r\n" last"\r\n'

# A double-click on the upper box of (R2, 1) copies (R2, 0) into it; one on
# (R3, 0) copies (R2, 8), which is blank, and so changes nothing visible.
double_click_cell 2 1 1
# A double-click on a lower box copies nothing.
double_click_cell 4 0 2
: >"$list"
add_to_list
expect_bytes "$list" \
  '"+wrap "\r\n" row1end"\r\n"row2 "\r\n"row2 "\r\n" long "text" 1234"\r\n" last"\r\n'

# The copy crosses a row end: (R2, 0) takes (R1, 8).
double_click_cell 2 0 1
: >"$list"
add_to_list
expect_bytes "$list" \
  '"+wrap "\r\n" row1end"\r\n" row1end"\r\n"row2 "\r\n" long "text" 1234"\r\n" last"\r\n'

# Clear empties every cell: a further append adds nothing.
menu c
: >"$list"
add_to_list
expect_bytes "$list" ''

# After Clear the grid takes new text as before.
click_cell 5 4 1
type_text "again"
add_to_list
expect_bytes "$list" '"again "\r\n'

expect_bytes "$E2E_TMP/work/Quillex.dat" '0\r\n0\r\n'
exit_app
note "typing test passed"
