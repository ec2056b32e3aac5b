#!/usr/bin/env bash
# Real printing through CUPS: a private cupsd with two PDF queues, the queue
# chosen by name in the print dialog, and the spooled pages checked label by
# label, for a sheet and for the calibration test page.
# Usage: cups_print_test.sh QUILLET
QUILLET=$1
source "$(dirname "$0")/e2e_lib.sh"
e2e_setup
e2e_start_cupsd
out=$E2E_TMP/cups/out
ppd=$(generic_pdf_ppd)
[[ -n $ppd ]] || fail "cups-filters' Generic-PDF_Printer-PDF.ppd is not installed"
# The default queue is another one, so the dialog must really be used to choose.
timeout 20 lpadmin -p Elsewhere -v "file:$out/elsewhere.pdf" -m "$ppd" -E 2>/dev/null
timeout 20 lpadmin -d Elsewhere
timeout 20 lpadmin -p QuilletLabels -v "file:$out/labels.pdf" -m "$ppd" -E 2>/dev/null
timeout 10 lpstat -p QuilletLabels >/dev/null || fail "queue QuilletLabels was not added"
note "private cupsd and queues ready"
e2e_start_app
work=$E2E_TMP/work

# print_to_queue NAME: picks queue NAME in the open dialog by typing its name
# into the printer list, prints, and waits until CUPS has finished the job.
print_to_queue() {
  local dialog
  dialog=$(new_window Print "") || fail "the print dialog did not appear"
  focus "$dialog"
  sleep 0.2
  xdotool key --clearmodifiers alt+n
  sleep 0.1
  type_text "$1"
  sleep 0.3
  xdotool key --clearmodifiers alt+p
  wait_for 10 dialog_gone "$dialog" || fail "the print dialog did not close"
  focus_main
  wait_for 5 bash -c '[[ -n $(timeout 5 lpstat -W all -o 2>/dev/null) || -n $(timeout 5 lpstat -W completed -o 2>/dev/null) ]]' ||
    fail "no job reached CUPS"
  wait_for 30 bash -c '[[ -z $(timeout 5 lpstat -o 2>/dev/null) ]]' || fail "the job did not finish"
}

# A few labels of each length, and one longer than a label.
typed=(A BB CCC DDDD EEEEE FFFFFF GGGGGGG HHHHHHHHHH)
printed=$E2E_TMP/expected.txt
: >"$printed"
cells=("1 0" "1 8" "5 4" "9 0" "9 8" "3 2" "7 6" "2 5")
for ((c = 0; c < ${#cells[@]}; c++)); do
  read -r group index <<<"${cells[c]}"
  click_cell "$group" "$index" 1
  type_text "${typed[c]}"
  xdotool key Tab
  type_text "L$c"
  echo "$group $index 1 ${typed[c]:0:7}" >>"$printed"
  echo "$group $index 2 L$c" >>"$printed"
done

menu f p Escape p Return
print_to_queue QuilletLabels
[[ -f $out/labels.pdf ]] || fail "nothing was spooled to QuilletLabels (elsewhere.pdf: $([[ -f $out/elsewhere.pdf ]] && echo yes || echo no))"
[[ ! -e $out/elsewhere.pdf ]] || fail "the default queue printed too"
cp "$out/labels.pdf" "$work/sheet.pdf"
pdfinfo "$work/sheet.pdf" | grep -E '^(Pages|Page size|Producer|Creator):' | sed 's/^/-- /'
expect_landscape "$work/sheet.pdf"
origin=$(check_label_positions "$work/sheet.pdf" "$printed")
note "spooled sheet: 16 lines in place; R1 column 0 at ($origin) pt"
awk -v o="$origin" 'BEGIN { split(o, a, " "); printf "-- printable area left %.3f pt, top of line 1 %.3f pt\n", a[1] - 0.49 * 72, a[2] - 4.6875 * 72 }'

# The test page through the same queue, with offsets in the file: half an
# inch left and a quarter up keep the whole grid on a US Letter sheet.
rm -f "$out/labels.pdf"
printf -- '-.5\r\n-.25\r\n' >"$work/Quillex.dat"
menu f p p
print_to_queue QuilletLabels
cp "$out/labels.pdf" "$work/test.pdf"
pattern=$E2E_TMP/pattern.txt
: >"$pattern"
for ((group = 1; group <= 9; group++)); do
  for ((index = 0; index < 9; index++)); do
    if ((group == 5 && index == 4)); then continue; fi
    printf '%d %d 1 +-----+\n%d %d 2 +-----+\n' "$group" "$index" "$group" "$index" >>"$pattern"
  done
done
printf '5 4 1 -.5\n5 4 2 -.25\n' >>"$pattern"
test_origin=$(check_label_positions "$work/test.pdf" "$pattern")
note "spooled test page: 162 lines in place; R1 column 0 at ($test_origin) pt"
expect_shift "$origin" "$test_origin" -36 -18

exit_app
note "CUPS print test passed"
