# The driver of the Linux program: quillet on the test's own X server, with a
# session bus of its own, through which a screen reader's bus (AT-SPI) comes
# up when the program asks for it; drivers/screen_reader.py reads there what
# the window shows as text.
# Usage: source drivers/linux.sh QUILLET
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
PLATFORM=linux
QUILLET=$(realpath "$1")
APP=("$QUILLET")
PRINT_TOLERANCE=0.05 SHIFT_TOLERANCE=0.02
e2e_setup
start_x
mkdir -m 0700 "$E2E_TMP/xdg"
# Keep the user's settings and the desktop's platform theme out of the test.
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
export XDG_RUNTIME_DIR=$E2E_TMP/xdg QT_AUTO_SCREEN_SCALE_FACTOR=0 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/bus
background dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" >"$E2E_TMP/dbus.log" 2>&1
wait_for 10 test -S "$E2E_TMP/bus" || fail "the session bus did not start: $(cat "$E2E_TMP/dbus.log")"

# screen_reader WHAT...: tests/e2e/drivers/screen_reader.py on the program;
# it fails until the program has told the screen reader's bus what is asked.
screen_reader() {
  /usr/bin/python3 "$E2E_DIR/drivers/screen_reader.py" "$E2E_APP_PID" "$@"
}

# message_text TITLE: the text of the message box TITLE.
message_text() {
  wait_for 10 screen_reader message "$1" >"$E2E_TMP/text" || fail "no message box \"$1\" for a screen reader"
  cat "$E2E_TMP/text"
}

# put_on_clipboard TEXT: TEXT, with "\r" and "\n" as CR and LF; xclip holds
# it until another program takes the clipboard or X ends.
put_on_clipboard() {
  printf "$1" | xclip -selection clipboard >/dev/null 2>&1
}

# check_screen_reader: 162 editable texts, each cell named by its row, column
# and line (the names Qt's widget tests check against the control list).
check_screen_reader() {
  wait_for 10 screen_reader cells >"$E2E_TMP/cells" || fail "the cells did not reach the screen reader"
  local named
  named=$(sort -u "$E2E_TMP/cells" | grep -cxE 'Row [1-9], column ([2-9]|10), (upper|lower) line' || true)
  (($(wc -l <"$E2E_TMP/cells") == 162 && named == 162)) ||
    fail "AT-SPI: $(wc -l <"$E2E_TMP/cells") editable texts, $named distinct cell names: $(sort "$E2E_TMP/cells" | uniq -c | sort -rn | awk 'NR <= 3' | paste -sd ' ')"
  note "AT-SPI: 162 editable texts, each a cell by its name"
}

# keep_caption NAME and expect_caption NAME CAPTION: the menu bar's items as
# they are now; later, one of them reads CAPTION, its access key not shown.
keep_caption() {
  wait_for 10 screen_reader menubar >"$E2E_TMP/$1.caption" || fail "no menu bar for a screen reader"
}

expect_caption() {
  grep -qxF -- "${2//&/}" "$E2E_TMP/$1.caption" ||
    fail "the menu bar reads \"$(paste -sd '|' "$E2E_TMP/$1.caption")\", no item \"${2//&/}\""
}

# choose_printer QUEUE [KEY...]: in Qt's print dialog, QUEUE typed into the
# printer list; then the keys, Print (Alt+P) unless given.
choose_printer() {
  local key
  xdotool key --clearmodifiers alt+n
  sleep 0.1
  type_text "$1"
  shift
  for key in "${@:-alt+p}"; do
    sleep 0.2
    xdotool key --clearmodifiers "$key"
  done
}

close_window() {
  /usr/bin/python3 "$E2E_DIR/drivers/window_manager.py" close "$E2E_WID"
}

# set_dpi DPI: the resolution Qt takes from the X resources when it starts.
set_dpi() {
  echo "Xft.dpi: $1" | xrdb -merge
}

shown_program_path() {
  echo "$QUILLET"
}

# print_to_file PATH: in Qt's print dialog, "Print to File (PDF)" into PATH
# (a blank typed would open the printer list).
print_to_file() {
  choose_printer Print alt+f ctrl+a
  type_text "$1"
  sleep 0.2
  xdotool key --clearmodifiers alt+p
}
