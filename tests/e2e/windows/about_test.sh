#!/usr/bin/env bash
# About in quillet.exe under Wine: a message box titled "About   Quillet"
# whose text, read from the box by the probe, holds the maker's lines, the
# version, the program file's path with ".EXE", and that file's date, time
# and size; the text uses line feeds alone.
# Usage: about_test.sh QUILLET_EXE WINDOW_PROBE_EXE
QUILLET=$(realpath "$1")
PROBE=$(realpath "$2")
here=$(dirname "$0")
source "$here/../e2e_lib.sh"
source "$here/wine_e2e_lib.sh"
wine_e2e_setup
wine_start_app

# About stands on the menu bar: Alt+A runs it without opening a menu.
menu a
title="About   Quillet"
box=$(new_window "$title" "") || fail "no window titled \"$title\" appeared"
timeout 60 wine "$PROBE" texts "$title" >"$E2E_TMP/texts" 2>"$E2E_TMP/probe.log" ||
  fail "the probe could not read the box: $(cat "$E2E_TMP/probe.log")"
# The box's own text and its controls', each ended by a form feed; the
# message is the control that holds the web heading.
awk 'BEGIN {RS = "\f"} /World Wide Web Homepage URL:/ {printf "%s", $0}' "$E2E_TMP/texts" \
  >"$E2E_TMP/about.txt"
[[ -s $E2E_TMP/about.txt ]] || fail "the box holds no About text: $(tr '\f' '|' <"$E2E_TMP/texts")"
! grep -q $'\r' "$E2E_TMP/about.txt" || fail "the About text holds a carriage return"
note "About text:"
sed 's/^/   |/' "$E2E_TMP/about.txt"

# line N: line N of the text.
line() {
  awk -v n="$1" 'NR == n {print}' "$E2E_TMP/about.txt"
}
expect_line() { # N TEXT
  [[ $(line "$1") == "$2" ]] || fail "About line $1 is \"$(line "$1")\", expected \"$2\""
}

[[ $(line 1) == "(C) "* ]] || fail "About line 1 is \"$(line 1)\", not the year and maker"
for n in 2 3 4 5; do
  [[ $(line "$n") =~ ^\ {24}[^\ ] ]] || fail "About line $n does not start with 24 spaces"
done
[[ $(line 5) == "                        E-mail: "* ]] || fail "About line 5 is not the e-mail line"
expect_line 6 ""
expect_line 7 "World Wide Web Homepage URL:"
[[ $(line 8) =~ ^https?:// ]] || fail "About line 8 is \"$(line 8)\", not a web address"
expect_line 9 ""
expect_line 10 "Program:  Version 1.0000"
# Wine shows the build machine's folders on drive Z:.
folder=$(dirname "$QUILLET")
name=$(basename "$QUILLET" .exe)
expect_line 11 "  Z:${folder//\//\\}\\$name.EXE"
size=$(stat -c %s "$QUILLET" | sed ':a; s/\B[0-9]\{3\}\>/,&/; ta')
stamp=$(date -r "$QUILLET" '+%m/%d/%y %-I:%M %p')
expect_line 12 "  $stamp $size bytes"
expect_line 13 ""
(($(wc -l <"$E2E_TMP/about.txt") == 13)) || fail "the About text has more than 13 lines"
[[ $(tail -c 2 "$E2E_TMP/about.txt" | od -An -tx1 | tr -d ' \n') == 0a0a ]] ||
  fail "the About text does not end in two line feeds"

focus "$box"
xdotool key Return
wait_for 10 dialog_gone "$box" || fail "the About box did not close on Return"
exit_app
note "Windows About test passed"
