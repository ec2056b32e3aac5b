#!/usr/bin/env bash
# The access keys under File in quillet.exe under Wine, from the keyboard
# alone: "Printer Calibration" and "Print" share P, so P only moves the
# highlight between them and Return runs the highlighted item, as in Windows'
# own menus. Wine's menus would run the first of them at once.
# Usage: access_keys_test.sh QUILLET_EXE WINDOW_PROBE_EXE
QUILLET=$(realpath "$1")
here=$(dirname "$0")
source "$here/../e2e_lib.sh"
source "$here/wine_e2e_lib.sh"
# A printer, so that the print dialog has one to offer.
wine_e2e_setup --printer
wine_start_app
work=$E2E_TMP/work
list=$work/LabelList.txt

type_text "ABC"
xdotool key Tab
type_text "12"

# expect_menu_only HIGHLIGHTED: the File menu (4 items) is the one window open
# besides the main window, with item HIGHLIGHTED lit; nothing ran.
expect_menu_only() {
  sleep 0.5
  local menus dialogs lit
  menus=$(app_windows yes)
  dialogs=$(app_windows no | grep -vx "$E2E_WID" || true)
  [[ -z $dialogs ]] || fail "a window opened: $(xdotool getwindowname "$dialogs")"
  [[ $(wc -w <<<"$menus") == 1 ]] || fail "$(wc -w <<<"$menus") menus are open, expected File alone"
  # Wine draws the lit item's text in white; its left margin is plain.
  lit=$(highlighted_item "$menus" 4 4)
  ((lit == $1)) || fail "File menu item $lit is highlighted, expected $1"
}

menu f
expect_menu_only 1
xdotool key p
expect_menu_only 2
xdotool key p
expect_menu_only 3
xdotool key p
expect_menu_only 2
# The first Escape closes the menu, the second leaves the menu bar.
xdotool key Escape
sleep 0.2
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
# Back in the window the focus is where it was: R1Text2(0), after "12".
focus_main
type_text "X"
: >"$list"
add_to_list
expect_bytes "$list" '"ABC 12X"\r\n'

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

[[ -z $(find "$E2E_TMP/cups/out" -type f) ]] || fail "something was printed"
exit_app
note "Windows access keys test passed"
