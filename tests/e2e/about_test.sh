#!/usr/bin/env bash
# About: a message box titled "About   Quillet" whose text holds the maker's
# lines, the version, the program file's path, and that file's date, time and
# size, in 13 lines ended by line feeds alone.
# Usage: about_test.sh linux QUILLET | windows QUILLET_EXE WINDOW_PROBE_EXE
source "$(dirname "$0")/drivers/$1.sh" "${@:2}"
start_app

# About stands on the menu bar: Alt+A runs it without opening a menu.
menu a
title="About   Quillet"
await_dialog "$title" "the About box"
about=$E2E_TMP/about.txt
message_text "$title" >"$about"
note "About text:"
sed 's/^/   |/' "$about"
(($(wc -l <"$about") == 13)) || fail "the About text has $(wc -l <"$about") lines, not 13"
[[ $(tail -c 2 "$about" | hex) == " 0a 0a " ]] || fail "the About text does not end in two line feeds"
! grep -q $'\r' "$about" || fail "the About text holds a carriage return"
# Each line as it must read: "=TEXT" to the letter, "~PATTERN" an extended
# regular expression.
size=$(stat -c %s "$QUILLET" | sed ':a; s/\B[0-9]\{3\}\>/,&/; ta')
stamp=$(date -r "$QUILLET" '+%m/%d/%y %-I:%M %p')
n=0
while IFS= read -r want; do
  n=$((n + 1))
  got=$(awk -v n="$n" 'NR == n' "$about")
  if [[ $want == =* ]]; then [[ $got == "${want:1}" ]]; else [[ $got =~ ^${want:1}$ ]]; fi ||
    fail "About line $n is \"$got\", expected \"${want:1}\""
done <<LINES
~\(C\) [0-9]{4} .+
~ {24}[^ ].*
~ {24}[^ ].*
~ {24}[^ ].*
~ {24}E-mail: .+
=
=World Wide Web Homepage URL:
~https?://.+
=
=Program:  Version 1.0000
=  $(shown_program_path)
=  $stamp $size bytes
=
LINES

close_dialog Return
exit_app
