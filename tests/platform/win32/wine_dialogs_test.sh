#!/usr/bin/env bash
# The input box and the printer dialog under Wine on a private X server, with
# a private CUPS queue for the dialog to offer: the window tests of the Win32
# platform test program, which the headless run skips, at 96 and at 144 dpi.
# Usage: wine_dialogs_test.sh PLATFORM_WIN32_TESTS_EXE
program=$(realpath "$1")
source "$(dirname "$0")/../../e2e/lib.sh"
source "$E2E_DIR/wine.sh"
e2e_setup
wine_display
start_cupsd
add_pdf_queue QuilletWine
wine_setup

# run_window_tests DPI FILTER: the test program's window tests, each input
# box at DPI dots per inch; none may be skipped.
run_window_tests() {
  local log=$E2E_TMP/tests.log
  timeout 300 wine "$program" --gtest_filter="$2" >"$log" 2>&1 || {
    cat "$log"
    fail "window tests failed"
  }
  grep -E '^input box at' "$log" | sed 's/^/-- /' || true
  ! grep -q '^\[  SKIPPED' "$log" || fail "window tests were skipped: $(grep '^\[  SKIPPED' "$log")"
  awk -v dpi="$1" '/^input box at/ {n++; bad += $4 != dpi} END {exit bad || !n}' "$log" ||
    fail "not every input box was at $1 dpi"
  grep -E '^\[  PASSED' "$log" | sed 's/^/-- /'
}

run_window_tests 96 'Win32InputBox*:Win32PrinterDialog.Gives*'
# The dialog manager scales the input box with the screen's resolution.
wine_settings 'Control Panel\Desktop' '"LogPixels"=dword:00000090'
run_window_tests 144 'Win32InputBox*'
