#!/usr/bin/env bash
# File > Printer Calibration > Enter Adjustments: two input boxes titled like
# the program, the typed answers written to Quillex.dat, nothing written while
# the boxes are open, and Escape keeping the offset that box was asked for.
# Usage: adjustments_test.sh QUILLET
QUILLET=$1
source "$(dirname "$0")/e2e_lib.sh"
e2e_setup
e2e_start_app
dat=$E2E_TMP/work/Quillex.dat

answer() { # TEXT: types TEXT into the next input box and confirms it
  local box
  box=$(new_window Quillet "$E2E_WID") || fail "no input box appeared"
  focus "$box"
  sleep 0.1
  expect_bytes "$dat" "$2"
  type_text "$1"
  xdotool key Return
  wait_for 10 dialog_gone "$box" || fail "the input box did not close"
}

cancel() { # BYTES: presses Escape in the next input box; the file holds BYTES meanwhile
  local box
  box=$(new_window Quillet "$E2E_WID") || fail "no input box appeared"
  focus "$box"
  sleep 0.1
  expect_bytes "$dat" "$1"
  xdotool key Escape
  wait_for 10 dialog_gone "$box" || fail "the input box did not close"
}

# "Printer Calibration" and "Print" share the letter P: P highlights the
# first, Return opens its submenu, whose E is Enter Adjustments.
menu f p Return e
answer .25 '0\r\n0\r\n'
answer -.125 '0\r\n0\r\n'
focus_main
wait_for 5 grep -q 125 "$dat" || fail "Quillex.dat was not rewritten"
expect_bytes "$dat" '0.25\r\n-0.125\r\n'

# A second entry shows the boxes again; an answer with a unit word keeps its
# leading number, an empty answer gives 0.
menu f p Return e
answer '1.5 inch' '0.25\r\n-0.125\r\n'
answer '' '0.25\r\n-0.125\r\n'
focus_main
wait_for 5 grep -q 1.5 "$dat" || fail "Quillex.dat was not rewritten"
expect_bytes "$dat" '1.5\r\n0\r\n'

# Escape keeps that box's offset; two of them leave the file alone, which the
# next entry's first box, opened only once the last entry is done, sees.
menu f p Return e
cancel '1.5\r\n0\r\n'
answer 2 '1.5\r\n0\r\n'
focus_main
wait_for 5 grep -q '^2' "$dat" || fail "Quillex.dat was not rewritten"
expect_bytes "$dat" '1.5\r\n2\r\n'
menu f p Return e
cancel '1.5\r\n2\r\n'
cancel '1.5\r\n2\r\n'
menu f p Return e
cancel '1.5\r\n2\r\n'
answer -1 '1.5\r\n2\r\n'
focus_main
wait_for 5 grep -q -- '-1' "$dat" || fail "Quillex.dat was not rewritten"
expect_bytes "$dat" '1.5\r\n-1\r\n'

exit_app
expect_bytes "$dat" '1.5\r\n-1\r\n'
note "adjustments test passed"
