# Shared steps of the tests that run cross-built programs under Wine with a
# private CUPS: sourced after tests/e2e/e2e_lib.sh. Each test has a Wine prefix
# of its own in its temp folder, so the printers it adds reach no other test.

source "$(dirname "${BASH_SOURCE[0]}")/../../e2e/windows/wine_prefix.sh"

# wine_setup: the temp folder, the exit trap that also stops Wine, and the prefix.
wine_setup() {
  E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quillet-wine.XXXXXX")
  trap wine_cleanup EXIT
  trap 'exit 130' INT TERM
  mkdir -p "$E2E_TMP/work"
  export WINEPREFIX=$E2E_TMP/wine WINEDEBUG=-all LC_ALL=C.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

wine_cleanup() {
  local status=$?
  set +e
  wineserver -k 2>/dev/null
  (exit "$status")  # e2e_cleanup takes the test's status from $?
  e2e_cleanup
}

# wine_boot: makes the prefix (tests/e2e/windows/wine_prefix.sh); the private
# cupsd must run already: Wine takes the printers it finds there into the
# prefix whenever a program loads its printing DLL, wineboot among them.
wine_boot() {
  local start=$SECONDS
  # No font is mapped: a fresh prefix has no "Courier New", as many systems,
  # and the labels must still print in a monospaced face.
  wine_make_prefix "$E2E_TMP/wineboot.log"
  note "Wine prefix ready in $((SECONDS - start)) s"
}

# add_pdf_queue NAME FILE: a queue that writes its jobs as PDF to FILE, made the default.
add_pdf_queue() {
  local ppd
  ppd=$(generic_pdf_ppd) || fail "cups-filters' Generic-PDF_Printer-PDF.ppd is not installed"
  timeout 20 lpadmin -p "$1" -v "file:$2" -P "$ppd" -E 2>/dev/null
  timeout 20 lpadmin -d "$1"
  timeout 10 lpstat -p "$1" >/dev/null || fail "queue $1 was not added"
}

# completed_jobs: how many jobs the private CUPS has finished so far.
completed_jobs() {
  timeout 5 lpstat -W completed -o 2>/dev/null | wc -l
}
