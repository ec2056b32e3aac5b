#!/usr/bin/env bash
# A Quillex.dat whose first line is not a number: File > Print, Print on the
# menu bar and Print test each show a message that names the file instead of
# printing; the program goes on, nothing is printed and no text is cut.
# Usage: broken_calibration_test.sh linux QUILLET | windows QUILLET_EXE WINDOW_PROBE_EXE
source "$(dirname "$0")/drivers/$1.sh" "${@:2}"
dat=$E2E_TMP/work/Quillex.dat
printf '0.2x\r\n0\r\n' >"$dat"
start_app
type_text "ABCDEFGHIJKL"

for keys in "f p p Return" p "f p Return p"; do
  # shellcheck disable=SC2086 # the keys one by one
  menu $keys
  expect_message "after Alt+$keys" 'Quillex\.dat'
  app_running || fail "the program ended after the message"
done
sleep 0.5
[[ -z $(find "$E2E_TMP" -name '*.pdf') ]] || fail "something was printed"

# The text is whole; the test print did not fill or clear the sheet either.
expect_list '"ABCDEFGHIJKL "\r\n'
expect_bytes "$dat" '0.2x\r\n0\r\n'
exit_app
