#!/usr/bin/env bash
# The input box and the printer dialog under Wine on a private X server, with
# a private CUPS queue for the dialog to offer: the window tests of the Win32
# platform test program, which the headless run skips, at 96 and at 144 dpi.
# Usage: wine_dialogs_test.sh PLATFORM_WIN32_TESTS_EXE
set -euo pipefail
program=$(realpath "$1")
here=$(dirname "$0")
source "$here/../../e2e/e2e_lib.sh"
source "$here/wine_lib.sh"
wine_setup
e2e_start_x
e2e_start_cupsd
add_pdf_queue QuilletWine "$E2E_TMP/cups/out/labels.pdf"
wine_boot

# run_window_tests FILTER: the test program's window tests; none may be skipped.
run_window_tests() {
  local log=$E2E_TMP/tests.log
  timeout 300 wine "$program" --gtest_filter="$1" >"$log" 2>&1 || {
    cat "$log"
    fail "window tests failed"
  }
  grep -E '^input box at' "$log" | sed 's/^/-- /' || true
  ! grep -q '^\[  SKIPPED' "$log" || fail "window tests were skipped: $(grep '^\[  SKIPPED' "$log" | head -3)"
  grep -E '^\[  PASSED' "$log" | sed 's/^/-- /'
}

run_window_tests 'Win32InputBox*:Win32PrinterDialog.Gives*'
# The dialog manager scales the input box with the screen's resolution.
wineserver -w
timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wineserver -w
run_window_tests 'Win32InputBox*'
note "Wine dialog tests passed"
