# The driver of quillet.exe: under Wine on the test's own X server, in a Wine
# prefix of its own (tests/e2e/wine.sh). Wine gives each top-level window an X
# window named by its title, with the menu bar and the client area inside and
# no frame. The probe (tests/e2e/windows/window_probe.cpp) sees what X cannot:
# a dialog's texts, the clipboard, what oleacc tells a screen reader, and a
# menu bar drawn with a given caption.
# Usage: source drivers/windows.sh QUILLET_EXE [WINDOW_PROBE_EXE]
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
source "$E2E_DIR/wine.sh"
PLATFORM=windows
QUILLET=$(realpath "$1")
PROBE=${2:+$(realpath "$2")}
APP=(wine "$QUILLET")
# Printed at 300 dpi, a line starts at the nearest device pixel, 0.12 pt away at most.
PRINT_TOLERANCE=0.25 SHIFT_TOLERANCE=0.25
e2e_setup
wine_display
wine_setup

# probe ARGUMENT...: the probe, run in the test's temp folder.
probe() {
  (cd "$E2E_TMP" && timeout 60 wine "$PROBE" "$@") 2>"$E2E_TMP/probe.log" ||
    fail "the probe failed ($1): $(cat "$E2E_TMP/probe.log")"
}

# message_text TITLE: of the texts of the message box TITLE and of its
# controls, each ended by a form feed, the longest: the message.
message_text() {
  probe texts "$1" >"$E2E_TMP/texts"
  awk 'BEGIN {RS = "\f"} length($0) > length(text) {text = $0} END {printf "%s", text}' "$E2E_TMP/texts"
}

# put_on_clipboard TEXT: TEXT, with "\r" and "\n" as CR and LF, as Unicode text.
put_on_clipboard() {
  probe clipboard "$1"
}

# check_screen_reader: each cell an editable text named as in the shared
# control list, and nothing else an editable text, as oleacc tells it.
check_screen_reader() {
  probe accessibility >"$E2E_TMP/accessibility"
  note "oleacc: $(tail -1 "$E2E_TMP/accessibility")"
}

# menu_bar_image WID FILE: the menu bar of the window WID, which must have the
# focus, as a PPM file, once it is painted (white, as in the schemes tested).
menu_bar_image() {
  local wid=$1
  wait_for 5 eval '[[ $(pixel "$wid" 4 2) == "#FFFFFF" ]]' || fail "the menu bar of window $1 was not painted"
  xwd -id "$1" -silent | convert xwd:- -crop "$(window_width "$1")x${E2E_MENU_HEIGHT}+0+0" +repage "ppm:$2"
}

# keep_caption NAME: the menu bar as it is now, under NAME. Menus live inside
# their process under Wine, so expect_caption NAME CAPTION compares the bar,
# pixel by pixel, with one the probe draws with the caption expected, later,
# when no other window of the program is on screen.
keep_caption() {
  menu_bar_image "$E2E_WID" "$E2E_TMP/$1.caption"
}

expect_caption() {
  local probe_pid differing
  (cd "$E2E_TMP" && exec wine "$PROBE" menubar "$2") >"$E2E_TMP/probe.log" 2>&1 &
  probe_pid=$!
  E2E_DIALOG=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quillet menu bar$' | awk 'NR == 1') ||
    fail "the probe's menu bar did not appear"
  focus "$E2E_DIALOG"
  menu_bar_image "$E2E_DIALOG" "$E2E_TMP/expected.caption"
  xdotool key --clearmodifiers alt+F4
  wait "$probe_pid" || fail "the probe ended with status $?"
  differing=$(compare -metric AE "ppm:$E2E_TMP/$1.caption" "ppm:$E2E_TMP/expected.caption" null: 2>&1) || true
  [[ $differing == 0 ]] || fail "the menu bar differs in $differing pixels from one whose Print item reads \"$2\""
}

# choose_printer QUEUE: in the print dialog (PrintDlgW), a click opens the
# printer list, the queue's first letter picks it, and Return prints.
choose_printer() {
  xdotool mousemove --window "$E2E_DIALOG" 190 37 click 1
  sleep 0.3
  xdotool key "${1:0:1}"
  sleep 0.3
  xdotool key Return
}

close_window() {
  focus_main
  xdotool key --clearmodifiers alt+F4
}

# set_dpi DPI and set_colours NAME "R G B"...: the screen's resolution and
# the system colours (by their registry names) of the programs started next.
set_dpi() {
  wine_settings 'Control Panel\Desktop' "\"LogPixels\"=dword:$(printf %08x "$1")"
}

set_colours() {
  local values=()
  while (($# >= 2)); do
    values+=("\"$1\"=\"$2\"")
    shift 2
  done
  wine_settings 'Control Panel\Colors' "${values[@]}"
}

# shown_program_path: the program file as the About box names it; Wine shows
# the build machine's folders on drive Z:.
shown_program_path() {
  local folder
  folder=$(dirname "$QUILLET")
  echo "Z:${folder//\//\\}\\$(basename "$QUILLET" .exe).EXE"
}
