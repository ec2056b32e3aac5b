#!/usr/bin/env bash
# Real printing under Wine: a private cupsd with a PDF queue as the default
# printer, a sheet printed on it through the GDI surface (wine_print_sheet.exe)
# with the offsets 0/0 and then .25/-.125, and the spooled pages checked label
# by label: each line at its place of the layout tables, and moved by the
# offsets; and once more into a PostScript file named in the job (DOCINFO's
# output), read back through ps2pdf. Usage: wine_print_test.sh WINE_PRINT_SHEET_EXE
set -euo pipefail
program=$(realpath "$1")
here=$(dirname "$0")
source "$here/../../e2e/e2e_lib.sh"
source "$here/wine_lib.sh"
wine_setup
unset DISPLAY WAYLAND_DISPLAY  # printing needs no display
e2e_start_cupsd
out=$E2E_TMP/cups/out
add_pdf_queue QuilletWine "$out/labels.pdf"
wine_boot
work=$E2E_TMP/work

# print_with LEFT_RIGHT UP_DOWN NAME: prints the sheet with these offsets,
# waits for CUPS to finish that job, and keeps its PDF as work/NAME.pdf and
# the program's report as work/NAME.txt.
print_with() {
  local before
  before=$(completed_jobs)
  rm -f "$out/labels.pdf"
  printf '%s\r\n%s\r\n' "$1" "$2" >"$work/Quillex.dat"
  (cd "$work" && timeout 120 wine "$program" >"$work/$3.txt" 2>"$work/$3.err") ||
    fail "printing with offsets $1/$2 failed: $(tail -3 "$work/$3.err")"
  wait_for 60 bash -c "(( \$(timeout 5 lpstat -W completed -o 2>/dev/null | wc -l) > $before ))" ||
    fail "the job did not finish (active: $(timeout 5 lpstat -o 2>/dev/null))"
  wait_for 10 pdfinfo "$out/labels.pdf" >/dev/null 2>&1 || fail "no complete PDF was spooled"
  cp "$out/labels.pdf" "$work/$3.pdf"
  # The program's C runtime ends its lines with CR LF.
  tr -d '\r' <"$work/$3.txt" >"$work/$3.report"
  grep -Ev '^(area|ascent) ' "$work/$3.report" >"$work/$3.expected"
}

# reference_baseline PDF: the baseline of the first line of (R1, 0), "A", in
# points from the top of the landscape page. A PDF reader's word box runs from
# the font's ascent to its descent as the PDF's font descriptor gives them
# (here those of the glyphs used, not the font's own), so the baseline divides
# the box in their ratio.
reference_baseline() {
  local ascent descent
  ascent=$(grep -a -o '/Ascent -*[0-9.]*' "$1" | head -n 1 | cut -d' ' -f2)
  descent=$(grep -a -o '/Descent -*[0-9.]*' "$1" | head -n 1 | cut -d' ' -f2)
  [[ -n $ascent && -n $descent ]] || fail "no font descriptor readable in $(basename "$1")"
  pdftotext -f 1 -l 1 -bbox "$1" - |
    sed -n 's/.*<word xMin="\([^"]*\)" yMin="\([^"]*\)" xMax="\([^"]*\)" yMax="\([^"]*\)">A<\/word>.*/\1 \2 \3 \4/p' |
    awk -v a="$ascent" -v d="$descent" -v turned="$(page_turned "$1" && echo 1)" '
      { top = turned ? $1 : $2; bottom = turned ? $3 : $4
        printf "%.4f\n", top + (bottom - top) * a / (a - d); exit }'
}

# expect_table_place PDF ORIGIN REPORT LEFT_RIGHT UP_DOWN: line 1 of (R1, 0)
# starts 0.49 in right of the printable area's left edge and its top lies
# 4.6875 in below the area's top edge, each plus its offset, within 0.5 pt;
# the top of a line is its baseline less the font's ascent.
expect_table_place() {
  local area ascent baseline
  area=$(sed -n 's/^area //p' "$3")
  ascent=$(sed -n 's/^ascent //p' "$3")
  baseline=$(reference_baseline "$1")
  awk -v o="$2" -v a="$area" -v asc="$ascent" -v base="$baseline" -v dx="$4" -v dy="$5" 'BEGIN {
    split(o, p, " "); split(a, q, " ")
    x = p[1]; y = base - asc
    ex = q[1] + (0.49 + dx) * 72; ey = q[2] + (4.6875 + dy) * 72
    printf "-- R1 column 0 at (%.3f, %.3f) pt, its table place (%.3f, %.3f) pt: off by %.3f, %.3f pt\n", x, y, ex, ey, x - ex, y - ey
    exit !(x - ex < 0.5 && ex - x < 0.5 && y - ey < 0.5 && ey - y < 0.5) }' ||
    fail "the labels are not at their table places"
}

print_with 0 0 plain
pdfinfo "$work/plain.pdf" | grep -E '^(Page size|Producer|Creator):' | sed 's/^/-- /'
expect_landscape "$work/plain.pdf"
# At 300 dpi a line starts at the nearest device pixel, 0.12 pt away at most.
plain=$(check_label_positions "$work/plain.pdf" "$work/plain.expected" 0.25)
# Seven characters of a monospaced 8 pt face fill 33.6 pt; a proportional
# face, picked where no "Courier New" exists, runs into the next label.
pdftotext -f 1 -l 1 -bbox "$work/plain.pdf" - |
  sed -n 's/.*xMin="\([^"]*\)" yMin="\([^"]*\)" xMax="\([^"]*\)" yMax="\([^"]*\)">GGGGGGG<.*/\1 \2 \3 \4/p' |
  awk '{ w = $3 - $1; h = $4 - $2; w = w > h ? w : h }
       END { printf "-- \"GGGGGGG\" is %.2f pt long\n", w; exit !(NR == 1 && w > 32.6 && w < 34.6) }' ||
  fail "seven characters do not print 33.6 pt long"
expect_table_place "$work/plain.pdf" "$plain" "$work/plain.report" 0 0

print_with .25 -.125 moved
moved=$(check_label_positions "$work/moved.pdf" "$work/moved.expected" 0.25)
expect_table_place "$work/moved.pdf" "$moved" "$work/moved.report" .25 -.125
expect_shift "$plain" "$moved" 18 -9 0.25
awk -v a="$plain" -v b="$moved" 'BEGIN { split(a, p, " "); split(b, q, " ")
  printf "-- the offsets moved the print by (%.3f, %.3f) pt\n", q[1] - p[1], q[2] - p[2] }'

# Into a file: the same page, and nothing for the queue.
before=$(completed_jobs)
printf '0\r\n0\r\n' >"$work/Quillex.dat"
(cd "$work" && timeout 120 wine "$program" "Z:${work//\//\\}\\file.ps" >"$work/file.txt" 2>"$work/file.err") ||
  fail "printing into a file failed: $(tail -3 "$work/file.err")"
[[ -s $work/file.ps ]] || fail "nothing was written to file.ps"
ps2pdf -sPAPERSIZE=letter "$work/file.ps" "$work/file.pdf"
tr -d '\r' <"$work/file.txt" >"$work/file.report"
in_file=$(check_label_positions "$work/file.pdf" "$work/plain.expected" 0.25)
expect_table_place "$work/file.pdf" "$in_file" "$work/file.report" 0 0
sleep 1
(($(completed_jobs) == before)) || fail "the job into a file also went to the queue"
# A queue that refuses jobs: the failure is said in plain words.
timeout 10 cupsreject QuilletWine
if (cd "$work" && timeout 120 wine "$program" >/dev/null 2>"$work/refused.err"); then
  fail "printing on a queue that refuses jobs succeeded"
fi
refused=$(tr -d '\r' <"$work/refused.err")
[[ $refused == 'Printing on the printer "QuilletWine" failed before the page was done: it did not accept the job. The job was cancelled, so nothing was printed.' ]] ||
  fail "a refused job said: $refused"
note "Wine print test passed"
