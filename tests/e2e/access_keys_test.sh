#!/usr/bin/env bash
# The access keys under File from the keyboard alone: "Printer Calibration"
# and "Print" share P, so P only moves the highlight between them and Return
# runs the highlighted item. Typing Alt+F P P must neither print the test
# page over the labels nor open anything.
# Usage: access_keys_test.sh QUILLET
QUILLET=$1
source "$(dirname "$0")/e2e_lib.sh"
e2e_setup
e2e_start_app
work=$E2E_TMP/work
list=$work/LabelList.txt

type_text "ABC"
xdotool key Tab
type_text "12"

# expect_menu_only HIGHLIGHTED: the File menu (4 items) is the one window open
# besides the main window, with item HIGHLIGHTED lit; nothing ran.
expect_menu_only() {
  sleep 0.5
  local menus dialogs
  menus=$(app_windows yes)
  dialogs=$(app_windows no | grep -vx "$E2E_WID" || true)
  [[ -z $dialogs ]] || fail "a window opened: $(xdotool getwindowname "$dialogs")"
  [[ $(wc -w <<<"$menus") == 1 ]] || fail "$(wc -w <<<"$menus") menus are open, expected File alone"
  local lit
  lit=$(highlighted_item "$menus" 4)
  ((lit == $1)) || fail "File menu item $lit is highlighted, expected $1"
}

menu f p
expect_menu_only 2
xdotool key p
expect_menu_only 3
xdotool key p
expect_menu_only 2
xdotool key Escape
sleep 0.2
[[ -z $(app_windows yes) ]] || fail "the File menu did not close on Escape"
add_to_list
expect_bytes "$list" '"ABC 12"\r\n'

# Alt+F P P Return: the print dialog, over a sheet that is still whole.
menu f p p Return
dialog=$(new_window Print "") || fail "Alt+F P P Return did not open the print dialog"
focus "$dialog"
xdotool key Escape
wait_for 10 dialog_gone "$dialog" || fail "the print dialog did not close"
focus_main
: >"$list"
add_to_list
expect_bytes "$list" '"ABC 12"\r\n'

# Alt+F P Return E: Enter Adjustments asks for both offsets.
menu f p Return e
for answer in .5 -.25; do
  box=$(new_window Quillet "$E2E_WID") || fail "Alt+F P Return E did not open an input box"
  focus "$box"
  type_text "$answer"
  xdotool key Return
  wait_for 10 dialog_gone "$box" || fail "the input box did not close"
done
focus_main
wait_for 5 grep -q 25 "$work/Quillex.dat" || fail "Quillex.dat was not rewritten"
expect_bytes "$work/Quillex.dat" '0.5\r\n-0.25\r\n'

[[ -z $(find "$E2E_TMP" -name '*.pdf') ]] || fail "something was printed"
exit_app
note "access keys test passed"
