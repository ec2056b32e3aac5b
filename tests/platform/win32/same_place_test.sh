#!/usr/bin/env bash
# The same place on paper from both programs: the sheet of known labels
# printed with the offsets 0/0 through the Windows program's print path
# (wine_print_sheet.exe under Wine) and the Linux program's (qt_print_sheet,
# from the Linux build) on one private CUPS PDF queue whose printable area
# differs on all four sides: every line must land within 0.5 pt of the same
# place on both spooled pages, so that a calibration made with one program
# fits the other. Exits with 77 (skipped) when the Linux tool is missing.
# Usage: same_place_test.sh WINE_PRINT_SHEET_EXE QT_PRINT_SHEET
if [[ ! -x $2 ]]; then
  echo "SKIP: the Linux build's print tool $2 is missing; build it first (scripts/build build)," \
    "or point QUILLET_LINUX_BUILD_DIR at the Linux build."
  exit 77
fi
windows=$(realpath "$1")
linux=$(realpath "$2")
source "$(dirname "$0")/../../e2e/lib.sh"
source "$E2E_DIR/wine.sh"
# The generic PDF driver with the upright page's printable area 12 pt from the
# left, 18 pt from the right, 42 pt from the top and 30 pt from the bottom.
wine_print_setup QuilletMargins 's|^\*ImageableArea Letter/Letter: .*|*ImageableArea Letter/Letter: "12 30 594 750"|
  s|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "12 30 577 800"|'
work=$E2E_TMP/work
printf '0\r\n0\r\n' >"$work/Quillex.dat"

# spool NAME COMMAND...: runs COMMAND in work/ and keeps the spooled page as
# work/NAME.pdf.
spool() {
  local name=$1
  shift
  rm -f "$E2E_TMP/cups/out/QuilletMargins.pdf"
  (cd "$work" && timeout 120 "$@" >"$work/$name.txt" 2>"$work/$name.err") ||
    fail "the $name program could not print: $(tail -3 "$work/$name.err")"
  spooled QuilletMargins "$work/$name.pdf"
  note "$name: $(pdfinfo "$work/$name.pdf" | sed -n 's/^\(Producer\|Page size\): *//p' | paste -sd ' ')"
}

# places PDF: "text x y" for each word of page 1: where it starts and its
# baseline (see pdf_words), which the two programs' PDFs give by font
# descriptors of their own.
places() {
  pdf_words "$1" | awk '{ printf "%s %.3f %.3f\n", $3, $1, $2 }' | sort
}

spool Windows wine "$windows"
spool Linux env QT_QPA_PLATFORM=offscreen "$linux"
tr -d '\r' <"$work/Windows.txt" | grep -Ev '^(area|ascent) ' >"$work/windows.lines"
cmp -s "$work/windows.lines" "$work/Linux.txt" || fail "the two programs printed different texts"

places "$work/Linux.pdf" >"$work/linux.places"
places "$work/Windows.pdf" >"$work/windows.places"
lines=$(wc -l <"$work/Linux.txt")
join "$work/linux.places" "$work/windows.places" >"$work/both.places"
(($(wc -l <"$work/linux.places") == lines && $(wc -l <"$work/both.places") == lines)) ||
  fail "not every line is on both pages: $(paste -sd ' ' "$work/linux.places") / $(paste -sd ' ' "$work/windows.places")"
awk '
  function abs(v) { return v < 0 ? -v : v }
  { dx = $2 - $4; dy = $3 - $5
    if ($1 == "A") printf "-- first line \"A\": Linux at (%.3f, %.3f) pt, Windows at (%.3f, %.3f) pt: Linux %.3f pt right, %.3f pt lower\n", $2, $3, $4, $5, dx, dy
    if (abs(dx) > worst) worst = abs(dx)
    if (abs(dy) > worst) worst = abs(dy)
    if (abs(dx) > 0.5 || abs(dy) > 0.5) { printf "FAIL: \"%s\" lies %.3f pt right and %.3f pt lower from Linux than from Windows\n", $1, dx, dy; bad++ } }
  END { printf "-- %d lines, the largest difference %.3f pt\n", NR, worst; exit bad > 0 }' "$work/both.places" ||
  fail "the two programs put the lines at different places"
