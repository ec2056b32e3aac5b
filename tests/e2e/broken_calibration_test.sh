#!/usr/bin/env bash
# A Quillex.dat whose first line is not a number: printing shows a message,
# the program goes on, no PDF is written and no text is cut.
# Usage: broken_calibration_test.sh QUILLET
QUILLET=$1
source "$(dirname "$0")/e2e_lib.sh"
e2e_setup
work=$E2E_TMP/work
printf '0.2x\r\n0\r\n' >"$work/Quillex.dat"
e2e_start_app

type_text "ABCDEFGHIJKL"

expect_message_and_dismiss() {
  local box
  box=$(new_window '.*' "$(visible_windows Quillet | grep -x "$E2E_WID"; xdotool search --onlyvisible --name '^$' 2>/dev/null)") ||
    fail "no message appeared after choosing $1"
  local name
  name=$(xdotool getwindowname "$box")
  [[ $name != Print ]] || fail "$1 opened the print dialog instead of a message"
  note "$1: a window \"$name\" appeared"
  focus "$box"
  sleep 0.1
  xdotool key Return
  wait_for 10 dialog_gone "$box" || fail "the message did not close on Enter"
  focus_main
  app_running || fail "the program ended after the message"
}

menu f p p Return
expect_message_and_dismiss "File > Print"
menu p
expect_message_and_dismiss "Print on the menu bar"
menu f p Return p
expect_message_and_dismiss "Print test"

sleep 0.5
pdfs=$(find "$E2E_TMP" -name '*.pdf' | wc -l)
((pdfs == 0)) || fail "a PDF was written: $(find "$E2E_TMP" -name '*.pdf')"

# The text is whole; the test print did not fill or clear the sheet either.
add_to_list
expect_bytes "$work/LabelList.txt" '"ABCDEFGHIJKL "\r\n'
expect_bytes "$work/Quillex.dat" '0.2x\r\n0\r\n'

exit_app
note "broken calibration test passed"
