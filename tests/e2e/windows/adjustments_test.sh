#!/usr/bin/env bash
# File > Printer Calibration > Enter Adjustments in quillet.exe under Wine:
# two input boxes titled like the program, the answers written to Quillex.dat,
# and the Print item's caption, first from the load and then from the entry,
# and from a file holding NULs.
# The caption is read by comparing the menu bar, pixel by pixel, with one the
# probe draws with the caption expected.
# Usage: adjustments_test.sh QUILLET_EXE WINDOW_PROBE_EXE
QUILLET=$(realpath "$1")
PROBE=$(realpath "$2")
here=$(dirname "$0")
source "$here/../e2e_lib.sh"
source "$here/wine_e2e_lib.sh"
wine_e2e_setup
wine_start_app
dat=$E2E_TMP/work/Quillex.dat

answer() { # TEXT BYTES: types TEXT into the next input box; the file holds BYTES meanwhile
  local box
  box=$(new_window Quillet "$E2E_WID") || fail "no input box appeared"
  focus "$box"
  sleep 0.1
  expect_bytes "$dat" "$2"
  type_text "$1"
  xdotool key Return
  wait_for 10 dialog_gone "$box" || fail "the input box did not close"
}

focus_main
menu_bar_image "$E2E_WID" "$E2E_TMP/loaded.png"
# "Printer Calibration" and "Print" share P: P lights the first, Return
# opens its submenu, whose E is Enter Adjustments.
menu f p Return e
answer .25 '0\r\n0\r\n'
answer -.125 '0\r\n0\r\n'
focus_main
wait_for 5 grep -q 125 "$dat" || fail "Quillex.dat was not rewritten"
expect_bytes "$dat" '0.25\r\n-0.125\r\n'
# The caption changes right after the file is written.
bar_changed() {
  menu_bar_image "$E2E_WID" "$E2E_TMP/entered.png"
  [[ $(compare -metric AE "$E2E_TMP/loaded.png" "$E2E_TMP/entered.png" null: 2>&1) != 0 ]]
}
wait_for 5 bar_changed || fail "the menu bar did not change after Enter Adjustments"
exit_app
expect_bytes "$dat" '0.25\r\n-0.125\r\n'

# A NUL in the file shows as a blank; it does not end the caption.
printf '0\0.5\r\n\0\r\n' >"$dat"
wine_start_app
menu_bar_image "$E2E_WID" "$E2E_TMP/nul.png"
exit_app

expect_menu_bar "$E2E_TMP/loaded.png" '&Print (Adj=0/0)'
expect_menu_bar "$E2E_TMP/entered.png" '&Print Adj=0.25/-0.125'
expect_menu_bar "$E2E_TMP/nul.png" '&Print (Adj=0 .5/ )'
note "Windows adjustments test passed"
