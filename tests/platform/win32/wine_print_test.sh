#!/usr/bin/env bash
# Real printing under Wine: a private cupsd with a PDF queue as the default
# printer, a sheet printed on it through the GDI surface (wine_print_sheet.exe)
# with the offsets 0/0 and then .25/-.125, and the spooled pages checked label
# by label: each line at its place of the layout tables, and moved by the
# offsets; and once more into a PostScript file named in the job (DOCINFO's
# output), read back through ps2pdf. Usage: wine_print_test.sh WINE_PRINT_SHEET_EXE
program=$(realpath "$1")
source "$(dirname "$0")/../../e2e/lib.sh"
source "$E2E_DIR/wine.sh"
wine_print_setup QuilletWine
work=$E2E_TMP/work

# print_with LEFT_RIGHT UP_DOWN NAME: prints the sheet with these offsets,
# and keeps the spooled PDF as work/NAME.pdf and the program's report as
# work/NAME.txt.
print_with() {
  rm -f "$E2E_TMP/cups/out/QuilletWine.pdf"
  printf '%s\r\n%s\r\n' "$1" "$2" >"$work/Quillex.dat"
  (cd "$work" && timeout 120 wine "$program" >"$work/$3.txt" 2>"$work/$3.err") ||
    fail "printing with offsets $1/$2 failed: $(tail -3 "$work/$3.err")"
  spooled QuilletWine "$work/$3.pdf"
  # The program's C runtime ends its lines with CR LF.
  tr -d '\r' <"$work/$3.txt" >"$work/$3.report"
  grep -Ev '^(area|ascent) ' "$work/$3.report" >"$work/$3.expected"
}

# expect_table_place PDF ORIGIN REPORT LEFT_RIGHT UP_DOWN: line 1 of (R1, 0)
# starts 0.49 in right of the printable area's left edge and its top lies
# 4.6875 in below the area's top edge, each plus its offset, within 0.5 pt;
# the top of a line is its baseline (ORIGIN's y) less the font's ascent.
expect_table_place() {
  local area ascent
  area=$(sed -n 's/^area //p' "$3")
  ascent=$(sed -n 's/^ascent //p' "$3")
  awk -v o="$2" -v a="$area" -v asc="$ascent" -v dx="$4" -v dy="$5" 'BEGIN {
    split(o, p, " "); split(a, q, " ")
    x = p[1]; y = p[2] - asc
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
pdf_boxes "$work/plain.pdf" | awk '$5 == "GGGGGGG" { w = $3 - $1; h = $4 - $2; w = w > h ? w : h; n++ }
  END { printf "-- \"GGGGGGG\" is %.2f pt long\n", w; exit !(n == 1 && w > 32.6 && w < 34.6) }' ||
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
