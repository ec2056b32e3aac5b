#!/usr/bin/env bash
# The access keys under File from the keyboard alone: "Printer Calibration"
# and "Print" share P, so P only moves the highlight between them and Return
# runs the highlighted item, as in Windows' own menus (Qt's and Wine's would
# run the first of them at once). Typing Alt+F P P must neither print nor
# open anything.
# Usage: access_keys_test.sh linux QUILLET | windows QUILLET_EXE WINDOW_PROBE_EXE
source "$(dirname "$0")/drivers/$1.sh" "${@:2}"
# A printer, so that the print dialog has one to offer.
start_cupsd
add_pdf_queue QuilletTest
start_app

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
  lit=$(highlighted_item "$menus" 4)
  ((lit == $1)) || fail "File menu item $lit is highlighted, expected $1"
}

menu f
expect_menu_only 1
for lit in 2 3 2; do
  xdotool key p
  expect_menu_only "$lit"
done
# The first Escape closes the menu; on Windows the second leaves the menu bar.
xdotool key Escape
sleep 0.2
[[ -z $(app_windows yes) ]] || fail "the File menu did not close on Escape"
xdotool key Escape

# Alt+F P P Return: the print dialog, over a sheet that is still whole; back
# in the window the focus is where it was, in R1Text2(0) after "12".
menu f p p Return
await_dialog Print "the print dialog (Alt+F P P Return)"
close_dialog Escape
type_text "X"
expect_list '"ABC 12X"\r\n'

# Alt+F P Return E: Enter Adjustments asks for both offsets.
enter_adjustments .5 -.25 '0.5\r\n-0.25\r\n'
[[ -z $(find "$E2E_TMP" -name '*.pdf') ]] || fail "something was printed"
exit_app
