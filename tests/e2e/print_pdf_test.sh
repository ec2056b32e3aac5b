#!/usr/bin/env bash
# Printing through the real print dialog to "Print to File (PDF)": a full sheet
# with File > Print, the same after Enter Adjustments with the menu bar's Print
# item, and the calibration test page. Every label must stand at its place on
# the landscape page, and the offsets must move the whole print by exactly the
# entered inches.
# Usage: print_pdf_test.sh QUILLET
QUILLET=$1
source "$(dirname "$0")/e2e_lib.sh"
e2e_setup
e2e_start_app
work=$E2E_TMP/work

# One distinct text per box, of lengths 0 to 9 in turn, so that every centring
# case and the cut to 7 characters are printed: box k (in Tab order) gets a
# text of k % 10 characters; two letters name the box, digits fill it up.
label_text() {
  local k=$1 length=$(($1 % 10)) letters=ABCDEFGHIJKLMNOPQRSTUVWXYZ
  case $length in
    0) echo "" ;;
    1) echo "${letters:k / 10:1}" | tr A-Z a-z ;;
    *) local code=${letters:k / 26:1}${letters:k % 26:1}
       echo "${code}3456789" | cut -c "1-$length" ;;
  esac
}
typed="" printed=$E2E_TMP/expected.txt list_after=""
: >"$printed"
for ((k = 0; k < 162; k++)); do
  group=$((k / 18 + 1)) index=$((k % 18 / 2)) line=$((k % 2 + 1))
  text=$(label_text "$k")
  typed+="$text"$'\t'
  [[ -n $text ]] && echo "$group $index $line ${text:0:7}" >>"$printed"
done
# Cell (R1, 0) line 2 (k = 1) is the reference; it moves to the front.
{ grep '^1 0 2 ' "$printed"; grep -v '^1 0 2 ' "$printed"; } >"$printed.tmp" && mv "$printed.tmp" "$printed"
[[ $(wc -l <"$printed") == 145 ]] || fail "test data: $(wc -l <"$printed") texts"

# The focus starts in R1Text1(0); Tab walks the boxes in reading order.
xdotool type --delay 4 -- "${typed%$'\t'}"

# File > Print: the first P highlights Printer Calibration, the second Print,
# and Return runs it.
menu f p p Return
print_dialog_to_file "$work/sheet.pdf"
expect_landscape "$work/sheet.pdf"
origin=$(check_label_positions "$work/sheet.pdf" "$printed")
note "sheet.pdf: 145 label lines in place; R1 column 0 at ($origin) pt"
awk -v o="$origin" 'BEGIN { split(o, a, " "); printf "-- printable area left %.3f pt, top of line 1 %.3f pt\n", a[1] - 0.49 * 72, a[2] - 4.6875 * 72 }'

# Printing cut the long texts in the window to 7 characters.
add_to_list
[[ $(grep -c . "$work/LabelList.txt") == 81 ]] || fail "expected 81 records, got $(grep -c . "$work/LabelList.txt")"
grep -q '"AI34567 AJ34567"' "$work/LabelList.txt" || fail "the 8- and 9-character texts of (R1, 4) were not cut to 7: $(sed -n 5p "$work/LabelList.txt")"
if grep -q '345678' "$work/LabelList.txt"; then fail "a text longer than 7 characters survived printing"; fi
cp "$work/LabelList.txt" "$E2E_TMP/labels-printed.txt"

# Offsets .25 in right and .125 in up, then the Print item on the menu bar.
menu f p Return e
for value in .25 -.125; do
  box=$(new_window Quillet "$E2E_WID") || fail "no input box appeared"
  focus "$box"
  type_text "$value"
  xdotool key Return
  wait_for 10 dialog_gone "$box" || fail "the input box did not close"
done
focus_main
wait_for 5 grep -q 125 "$work/Quillex.dat" || fail "Quillex.dat was not rewritten"
menu p
print_dialog_to_file "$work/shifted.pdf"
shifted=$(check_label_positions "$work/shifted.pdf" "$printed")
note "shifted.pdf: 145 label lines in place; R1 column 0 at ($shifted) pt"
expect_shift "$origin" "$shifted" 18 -9

# The test page: "+-----+" on both lines of every label, the offsets in the
# middle one, and the user's labels back on the sheet afterwards.
menu f p Return p
print_dialog_to_file "$work/test.pdf"
expect_landscape "$work/test.pdf"
pattern=$E2E_TMP/pattern.txt
: >"$pattern"
for ((group = 1; group <= 9; group++)); do
  for ((index = 0; index < 9; index++)); do
    if ((group == 5 && index == 4)); then continue; fi
    echo "$group $index 1 +-----+" >>"$pattern"
    echo "$group $index 2 +-----+" >>"$pattern"
  done
done
printf '5 4 1 0.25\n5 4 2 -0.125\n' >>"$pattern"
test_origin=$(check_label_positions "$work/test.pdf" "$pattern")
note "test.pdf: 162 lines in place; R1 column 0 at ($test_origin) pt"
expect_shift "$shifted" "$test_origin" 0 0

: >"$work/LabelList.txt"
add_to_list
cmp -s "$work/LabelList.txt" "$E2E_TMP/labels-printed.txt" ||
  fail "the sheet after the test page is not the one before it: $(head -3 "$work/LabelList.txt")"
expect_bytes "$work/Quillex.dat" '0.25\r\n-0.125\r\n'

exit_app
note "print test passed"
