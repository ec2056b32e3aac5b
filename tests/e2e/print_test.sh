#!/usr/bin/env bash
# Printing through the print dialog onto a private CUPS with two PDF queues,
# the queue chosen by name: a queue that refuses the job, a full sheet with
# File > Print, the same after Enter Adjustments with the menu bar's Print
# item, and the calibration test page with offsets written into the file by
# hand. Every label must stand at its place on the landscape page, and the
# offsets must move the whole print by exactly the inches given.
# Usage: print_test.sh linux QUILLET | windows QUILLET_EXE WINDOW_PROBE_EXE
source "$(dirname "$0")/drivers/$1.sh" "${@:2}"
start_cupsd
add_pdf_queue QuilletLabels
# The default queue is another one, so the dialog must really be used to choose.
add_pdf_queue Elsewhere
start_app
work=$E2E_TMP/work out=$E2E_TMP/cups/out

# print_on QUEUE [NAME]: in the print dialog that the last menu command opened,
# chooses QUEUE and prints; keeps the spooled page as NAME.pdf, when named.
print_on() {
  rm -f "$out/$1.pdf"
  await_dialog Print "the print dialog"
  choose_printer "$1"
  wait_for 10 dialog_gone "$E2E_DIALOG" || fail "the print dialog did not close"
  focus_main
  [[ -z ${2:-} ]] || spooled "$1" "$E2E_TMP/$2.pdf"
}

# One distinct text per box, of lengths 0 to 9 in turn, so that every centring
# case and the cut to 7 characters are printed: box k (in Tab order, from
# R1Text1(0), where the focus starts) gets a text of k % 10 characters; two
# letters name the box, digits fill it up.
letters=ABCDEFGHIJKLMNOPQRSTUVWXYZ printed=$E2E_TMP/expected.txt
for ((k = 0; k < 162; k++)); do
  case $((k % 10)) in
    0) text="" ;;
    1) text=$(tr A-Z a-z <<<"${letters:k / 10:1}") ;;
    *) text=${letters:k / 26:1}${letters:k % 26:1}3456789 text=${text:0:k % 10} ;;
  esac
  type_text "$text"$'\t'
  [[ -z $text ]] || echo "$((k / 18 + 1)) $((k % 18 / 2)) $((k % 2 + 1)) ${text:0:7}"
done >"$printed"
# Cell (R1, 0) line 2 (k = 1) is the reference; it moves to the front.
{ grep '^1 0 2 ' "$printed"; grep -v '^1 0 2 ' "$printed"; } >"$printed.tmp" && mv "$printed.tmp" "$printed"
[[ $(wc -l <"$printed") == 145 ]] || fail "test data: $(wc -l <"$printed") texts"

# A queue that refuses jobs: the message names it and says that nothing was
# printed, and the texts that printing cut are given back.
cupsreject QuilletLabels
menu f p p Return
print_on QuilletLabels
expect_message "about the refused job" '"QuilletLabels".*did not accept the job.*[Nn]othing was printed'
add_to_list
grep -q '"AI345678 AJ3456789"' "$work/LabelList.txt" || fail "the texts cut for the refused job stay cut"
rm "$work/LabelList.txt"
cupsaccept QuilletLabels

# File > Print: the first P lights Printer Calibration, the second Print, and
# Return runs it.
menu f p p Return
print_on QuilletLabels sheet
[[ ! -e $out/Elsewhere.pdf ]] || fail "the default queue printed too"
pdfinfo "$E2E_TMP/sheet.pdf" | sed -n 's/^\(Page size\|Producer\|Creator\):/-- &/p'
expect_landscape "$E2E_TMP/sheet.pdf"
origin=$(check_label_positions "$E2E_TMP/sheet.pdf" "$printed" "$PRINT_TOLERANCE")
note "sheet: R1 column 0 at ($origin) pt"

# Printing cut the long texts in the window to 7 characters.
add_to_list
[[ $(grep -c . "$work/LabelList.txt") == 81 ]] || fail "expected 81 records, got $(grep -c . "$work/LabelList.txt")"
grep -q '"AI34567 AJ34567"' "$work/LabelList.txt" ||
  fail "the 8- and 9-character texts of (R1, 4) were not cut to 7: $(sed -n 5p "$work/LabelList.txt")"
! grep -q '345678' "$work/LabelList.txt" || fail "a text longer than 7 characters survived printing"
mv "$work/LabelList.txt" "$E2E_TMP/labels-printed.txt"

# Offsets .25 in right and .125 in up, then the Print item on the menu bar.
enter_adjustments .25 -.125 '0.25\r\n-0.125\r\n'
menu p
print_on QuilletLabels shifted
shifted=$(check_label_positions "$E2E_TMP/shifted.pdf" "$printed" "$PRINT_TOLERANCE")
expect_shift "$origin" "$shifted" 18 -9 "$SHIFT_TOLERANCE"

expect_bytes "$work/Quillex.dat" '0.25\r\n-0.125\r\n'

# Print test, with offsets written into the file by hand: half an inch left
# and a quarter up keep the whole grid on a US Letter sheet. The page shows
# "+-----+" on both lines of every label but the middle one, which shows the
# offsets as the file holds them.
printf -- '-.5\r\n-.25\r\n' >"$work/Quillex.dat"
menu f p Return p
print_on QuilletLabels test-page
expect_landscape "$E2E_TMP/test-page.pdf"
awk 'BEGIN { for (group = 1; group <= 9; group++) for (i = 0; i < 9; i++) for (line = 1; line <= 2; line++)
  print group, i, line, (group == 5 && i == 4 ? (line == 1 ? "-.5" : "-.25") : "+-----+") }' >"$E2E_TMP/pattern.txt"
test_origin=$(check_label_positions "$E2E_TMP/test-page.pdf" "$E2E_TMP/pattern.txt" "$PRINT_TOLERANCE")
expect_shift "$origin" "$test_origin" -36 -18 "$SHIFT_TOLERANCE"
# The user's labels are back on the sheet.
add_to_list
cmp -s "$work/LabelList.txt" "$E2E_TMP/labels-printed.txt" ||
  fail "the sheet after the test page is not the one before it: $(head -3 "$work/LabelList.txt")"

if [[ $PLATFORM == linux ]]; then
  # Linux only: Qt's print dialog also writes a PDF file itself, with no queue.
  menu f p p Return
  await_dialog Print "the print dialog"
  print_to_file "$E2E_TMP/file.pdf"
  wait_for 10 dialog_gone "$E2E_DIALOG" || fail "the print dialog did not close"
  wait_for 20 complete_pdf "$E2E_TMP/file.pdf" || fail "no complete PDF in file.pdf"
  expect_landscape "$E2E_TMP/file.pdf"
  check_label_positions "$E2E_TMP/file.pdf" "$printed" "$PRINT_TOLERANCE" >/dev/null
fi
exit_app
