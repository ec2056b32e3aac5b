#!/usr/bin/env bash
# The same place on paper from both programs: the sheet of known labels
# printed with the offsets 0/0 through the Windows program's print path
# (wine_print_sheet.exe under Wine) and the Linux program's (qt_print_sheet,
# from the Linux build) on one private CUPS PDF queue whose printable area
# differs on all four sides: every line must land within 0.5 pt of the same
# place on both spooled pages, so that a calibration made with one program
# fits the other. Exits with 77 (skipped) when the Linux tool is missing.
# Usage: same_place_test.sh WINE_PRINT_SHEET_EXE QT_PRINT_SHEET
set -euo pipefail
if [[ ! -x $2 ]]; then
  echo "SKIP: the Linux build's print tool $2 is missing; build it first (scripts/build build)," \
    "or point QUILLET_LINUX_BUILD_DIR at the Linux build."
  exit 77
fi
windows=$(realpath "$1")
linux=$(realpath "$2")
here=$(dirname "$0")
source "$here/../../e2e/e2e_lib.sh"
source "$here/wine_lib.sh"
wine_setup
unset DISPLAY WAYLAND_DISPLAY # printing needs no display
e2e_start_cupsd
out=$E2E_TMP/cups/out/labels.pdf
work=$E2E_TMP/work

# The generic PDF driver with the upright page's printable area 12 pt from the
# left, 18 pt from the right, 42 pt from the top and 30 pt from the bottom.
ppd=$(generic_pdf_ppd) || fail "cups-filters' Generic-PDF_Printer-PDF.ppd is not installed"
sed -e 's|^\*ImageableArea Letter/Letter: .*|*ImageableArea Letter/Letter: "12 30 594 750"|' \
  -e 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "12 30 577 800"|' "$ppd" >"$E2E_TMP/margins.ppd"
timeout 20 lpadmin -p QuilletMargins -v "file:$out" -P "$E2E_TMP/margins.ppd" -E 2>/dev/null
timeout 20 lpadmin -d QuilletMargins
timeout 10 lpstat -p QuilletMargins >/dev/null || fail "the queue was not added"
wine_boot
printf '0\r\n0\r\n' >"$work/Quillex.dat"

# spooled NAME COMMAND...: runs COMMAND in work/, waits until CUPS has finished
# its job and keeps the spooled page as work/NAME.pdf.
spooled() {
  local name=$1 before
  shift
  before=$(completed_jobs)
  rm -f "$out"
  (cd "$work" && timeout 120 "$@" >"$work/$name.txt" 2>"$work/$name.err") ||
    fail "the $name program could not print: $(tail -3 "$work/$name.err")"
  wait_for 60 bash -c "(( \$(timeout 5 lpstat -W completed -o 2>/dev/null | wc -l) > $before ))" ||
    fail "the $name job did not finish (active: $(timeout 5 lpstat -o 2>/dev/null))"
  wait_for 10 complete_pdf "$out" || fail "no complete PDF was spooled for the $name program"
  cp "$out" "$work/$name.pdf"
  note "$name: $(pdfinfo "$work/$name.pdf" | sed -n 's/^\(Producer\|Page size\): *//p' | paste -sd ' ')"
}

# baselines PDF: "text x y" for each word of page 1: the left end of its ink
# and its baseline, in points from the top-left corner of the landscape page
# (turned back when the page was spooled upright). The baseline divides the
# word's box in the ratio of the font's ascent to its descent as the PDF's
# font descriptor gives them, which differ between the two programs' PDFs.
baselines() {
  local ascent descent height turned=0
  ascent=$(grep -a -o '/Ascent -*[0-9.]*' "$1" | awk 'NR == 1 { print $2 }')
  descent=$(grep -a -o '/Descent -*[0-9.]*' "$1" | awk 'NR == 1 { print $2 }')
  [[ -n $ascent && -n $descent ]] || fail "no font descriptor readable in $(basename "$1")"
  height=$(page_size "$1" | cut -d' ' -f2)
  if page_turned "$1"; then turned=1; fi
  pdftotext -f 1 -l 1 -bbox "$1" - |
    sed -n 's/.*<word xMin="\([^"]*\)" yMin="\([^"]*\)" xMax="\([^"]*\)" yMax="\([^"]*\)">\(.*\)<\/word>.*/\1 \2 \3 \4 \5/p' |
    awk -v a="$ascent" -v d="$descent" -v h="$height" -v turned="$turned" '
      { if (turned) { x = h - $4; top = $1; bottom = $3 } else { x = $1; top = $2; bottom = $4 }
        printf "%s %.3f %.3f\n", $5, x, top + (bottom - top) * a / (a - d) }' | sort
}

spooled Windows wine "$windows"
spooled Linux env QT_QPA_PLATFORM=offscreen "$linux"
tr -d '\r' <"$work/Windows.txt" | grep -Ev '^(area|ascent) ' >"$work/windows.lines"
cmp -s "$work/windows.lines" "$work/Linux.txt" || fail "the two programs printed different texts"

baselines "$work/Linux.pdf" >"$work/linux.places"
baselines "$work/Windows.pdf" >"$work/windows.places"
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
note "same-place print test passed"
