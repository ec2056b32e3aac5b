#!/usr/bin/env bash
# File > Printer Calibration > Enter Adjustments: two input boxes titled like
# the program; the typed answers written to Quillex.dat, and nothing while the
# boxes are open; Escape keeping the offset that box was asked for; and the
# Print item's caption, from the load, from the entry, and from a file
# holding NULs.
# Usage: adjustments_test.sh linux QUILLET | windows QUILLET_EXE WINDOW_PROBE_EXE
source "$(dirname "$0")/drivers/$1.sh" "${@:2}"
start_app
dat=$E2E_TMP/work/Quillex.dat
keep_caption loaded

# "Printer Calibration" and "Print" share P: P lights the first, Return opens
# its submenu, whose E is Enter Adjustments.
menu f p Return e
answer .25 '0\r\n0\r\n'
answer -.125 '0\r\n0\r\n'
expect_bytes "$dat" '0.25\r\n-0.125\r\n' 5
# The caption changes right after the file is written.
caption_changed() {
  keep_caption entered
  ! cmp -s "$E2E_TMP/loaded.caption" "$E2E_TMP/entered.caption"
}
wait_for 5 caption_changed || fail "the menu bar did not change after Enter Adjustments"

# A second entry shows the boxes again; an answer with a unit word keeps its
# leading number, an empty answer gives 0.
menu f p Return e
answer '1.5 inch' '0.25\r\n-0.125\r\n'
answer '' '0.25\r\n-0.125\r\n'
expect_bytes "$dat" '1.5\r\n0\r\n' 5

# Escape keeps that box's offset; two of them leave the file alone, which the
# next entry's first box, opened only once the last entry is done, sees.
menu f p Return e
cancel '1.5\r\n0\r\n'
answer 2 '1.5\r\n0\r\n'
expect_bytes "$dat" '1.5\r\n2\r\n' 5
menu f p Return e
cancel '1.5\r\n2\r\n'
cancel '1.5\r\n2\r\n'
menu f p Return e
cancel '1.5\r\n2\r\n'
answer -1 '1.5\r\n2\r\n'
expect_bytes "$dat" '1.5\r\n-1\r\n' 5
exit_app
expect_bytes "$dat" '1.5\r\n-1\r\n'

# A NUL in the file shows as a blank; it does not end the caption.
printf '0\0.5\r\n\0\r\n' >"$dat"
start_app
keep_caption nul
exit_app
expect_caption loaded '&Print (Adj=0/0)'
expect_caption entered '&Print Adj=0.25/-0.125'
expect_caption nul '&Print (Adj=0 .5/ )'
