# The Wine layer of the Windows real-window tests, sourced after
# tests/e2e/e2e_lib.sh: a private X server and Wine prefix per test run, and
# quillet.exe started under Wine with the working folder as its current
# directory. The helpers of e2e_lib.sh (menu, focus, cells, bytes, exit) work
# on Wine's windows as they are: Wine gives each top-level window an X window
# named by its title, the menu bar and client area inside, with no frame when
# no window manager runs.

source "$(dirname "${BASH_SOURCE[0]}")/wine_prefix.sh"

# The client area at 96 dots per inch: 11100 x 6930 twips.
readonly WINE_CLIENT_WIDTH=740 WINE_CLIENT_HEIGHT=462

# wine_e2e_setup [--printer]: the temp folder and its exit trap, X, and a
# fresh Wine prefix (wine_prefix.sh); with --printer also a private CUPS with
# one PDF queue, made first: Wine takes the printers it finds into the prefix
# whenever a program loads its printing DLL, wineboot among them.
wine_e2e_setup() {
  E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quillet-wine-e2e.XXXXXX")
  trap wine_e2e_cleanup EXIT
  trap 'exit 130' INT TERM
  mkdir -p "$E2E_TMP/work"
  export HOME=$E2E_TMP WINEPREFIX=$E2E_TMP/wine WINEDEBUG=-all
  # Wine takes its ANSI code page from the locale: Windows-1252 here.
  export LC_ALL=C.UTF-8
  # No .NET or Gecko installers, and no menu entries written into the home.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  e2e_start_x
  if [[ ${1:-} == --printer ]]; then
    e2e_start_cupsd
    local ppd
    ppd=$(generic_pdf_ppd) || fail "cups-filters' Generic-PDF_Printer-PDF.ppd is not installed"
    timeout 20 lpadmin -p QuilletTest -v "file:$E2E_TMP/cups/out/labels.pdf" -P "$ppd" -E 2>/dev/null
    timeout 20 lpadmin -d QuilletTest
  fi
  wine_make_prefix "$E2E_TMP/wineboot.log"
}

wine_e2e_cleanup() {
  local status=$?
  set +e
  # Every Wine process of the prefix gone before its folder is removed.
  wineserver -k 2>/dev/null
  timeout 20 wineserver -w 2>/dev/null
  (exit "$status") # e2e_cleanup takes the test's status from $?
  e2e_cleanup
}

# wine_registry KEY NAME TYPE VALUE: one value of the prefix's registry, read
# by programs when they start.
wine_registry() {
  timeout 60 wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 ||
    fail "could not set $1\\$2"
}

# wine_colours NAME "R G B" ...: system colours by their registry names, for
# programs of the next Wine session.
wine_colours() {
  while (($# >= 2)); do
    wine_registry 'HKCU\Control Panel\Colors' "$1" REG_SZ "$2"
    shift 2
  done
  wine_new_session
}

# wine_dpi DPI: the screen resolution programs of the next Wine session see.
wine_dpi() {
  wine_registry 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$1"
  wine_new_session
}

# wine_new_session: waits until Wine's server and desktop have gone, so the
# next program starts a session that reads the settings afresh.
wine_new_session() {
  timeout 60 wineserver -w || fail "Wine did not end its session"
}

# wine_start_app [CLIENT_HEIGHT]: starts quillet.exe in work/ and waits for its
# window; the menu bar is the window's height above the client area.
wine_start_app() {
  (cd "$E2E_TMP/work" && exec wine "$QUILLET" >"$E2E_TMP/quillet.log" 2>&1) &
  E2E_APP_PID=$!
  E2E_WID=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quillet$' | awk 'NR == 1') ||
    fail "the window \"Quillet\" did not appear"
  focus_main
  E2E_MENU_HEIGHT=$(($(window_height "$E2E_WID") - ${1:-$WINE_CLIENT_HEIGHT}))
}

# wait_app_end HOW: the program ends by itself with status 0.
wait_app_end() {
  local deadline=$((SECONDS + 20))
  while app_running && ((SECONDS < deadline)); do sleep 0.05; done
  app_running && fail "the program is still running after $1"
  local status=0
  wait "$E2E_APP_PID" || status=$?
  E2E_APP_PID=""
  ((status == 0)) || fail "the program ended with status $status after $1"
}

# window_pixel WID X Y: the colour of one pixel of the window WID, as #RRGGBB.
window_pixel() {
  xwd -id "$1" -silent | convert xwd:- -crop "1x1+$2+$3" +repage txt:- |
    awk 'NR == 2 {print $3}'
}

# pixel X Y: the same for the main window.
pixel() {
  window_pixel "$E2E_WID" "$1" "$2"
}

# expect_pixel X Y COLOUR WHAT: the pixel turns COLOUR within 5 s, as the
# window finishes painting.
expect_pixel() {
  local deadline=$((SECONDS + 5)) got
  until got=$(pixel "$1" "$2") && [[ $got == "$3" ]]; do
    ((SECONDS < deadline)) || fail "$4 is $got at ($1, $2), expected $3"
    sleep 0.1
  done
}

# menu_bar_image WID FILE: the menu bar of the window WID, which must have the
# focus, as a PNG, once it is painted (white, as in the schemes tested).
menu_bar_image() {
  local deadline=$((SECONDS + 5))
  until [[ $(window_pixel "$1" 4 2) == "#FFFFFF" ]]; do
    ((SECONDS < deadline)) || fail "the menu bar of window $1 was not painted"
    sleep 0.1
  done
  xwd -id "$1" -silent |
    convert xwd:- -crop "$(window_width "$1")x${E2E_MENU_HEIGHT}+0+0" +repage "png:$2"
}

# expect_menu_bar FILE CAPTION: FILE shows the program's menu bar with the
# Print item captioned CAPTION, as the probe draws it. Needs PROBE, and no
# other window of the program on screen.
expect_menu_bar() {
  local image=$1 caption=$2 probe_pid probe_wid differing
  wine "$PROBE" menubar "$caption" >"$E2E_TMP/probe.log" 2>&1 &
  probe_pid=$!
  probe_wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quillet menu bar$' |
    awk 'NR == 1') || fail "the probe's menu bar did not appear"
  focus "$probe_wid"
  menu_bar_image "$probe_wid" "$E2E_TMP/expected.png"
  xdotool key --clearmodifiers alt+F4
  wait "$probe_pid" || fail "the probe ended with status $?"
  differing=$(compare -metric AE "$image" "$E2E_TMP/expected.png" null: 2>&1) || true
  [[ $differing == 0 ]] ||
    fail "the menu bar differs in $differing pixels from one whose Print item reads \"$caption\""
}
