#!/usr/bin/env bash
# The setup program under Wine in a fresh prefix, run silently (/S) by a user:
# it puts quillet.exe, its licence and an uninstaller under
# %LOCALAPPDATA%\Programs\Quillet, a Start-menu entry that starts the program
# in Documents\Quillet, and an uninstall entry under HKCU, and writes nothing
# outside the user's profile. The program started from that entry shows its
# window and writes its calibration file into Documents\Quillet. An uninstall
# while it runs is refused and removes nothing; after File > Exit a silent
# uninstall removes the program, the entry and the key, and keeps
# Documents\Quillet and the user's files in it.
# Usage: setup_test.sh SETUP_EXE QUILLET_EXE SHELL_PROBE_EXE VERSION
here=$(dirname "$0")
[[ -f $1 ]] || { echo "FAIL: no setup program at $1; scripts/build-windows makes it with cpack" >&2; exit 1; }
SETUP=$(realpath "$1")
source "$here/../drivers/windows.sh" "$2" "$3"
VERSION=$4
LICENSE=$(realpath "$here/../../../LICENSE")
readonly UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet'
readonly MACHINE_UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet'

# field FILE NAME: the value of the line NAME=VALUE in FILE.
field() {
  awk -v name="$2" 'index($0, name "=") == 1 {print substr($0, length(name) + 2)}' "$1"
}

# expect_fields FILE WHAT NAME VALUE...: each NAME holds VALUE in FILE; the
# case of Windows paths does not count.
expect_fields() {
  local file=$1 what=$2 got
  shift 2
  while (($# >= 2)); do
    got=$(field "$file" "$1")
    [[ ${got,,} == "${2,,}" ]] || fail "$what: $1 is \"$got\", expected \"$2\""
    shift 2
  done
}

unix_path() {
  realpath -m "$(winepath -u "$1" 2>/dev/null)"
}

# registry_values KEY: its values as NAME=VALUE lines; fails with reg's
# status (1 for a key that is not there).
registry_values() {
  local lines status=0
  lines=$(timeout 60 wine reg query "$1" 2>/dev/null) || status=$?
  ((status == 0)) || return "$status"
  tr -d '\r' <<<"$lines" | sed -n 's/^    \(.*\)    REG_[A-Z_]*    \(.*\)$/\1=\2/p'
}

expect_no_key() {
  local status=0
  registry_values "$1" >/dev/null || status=$?
  ((status == 1)) || fail "reg query $1 gave status $status, expected 1 (no such key)"
}

# outside_profile: every file and folder of drive C: but the user's profile.
outside_profile() {
  find "$(realpath "$WINEPREFIX/drive_c")" -path "$profile" -prune -o -print | sort
}

# installed_state: what the setup program made, in one listing to compare.
installed_state() {
  ls -A "$install" 2>/dev/null || echo "no install folder"
  [[ -f $shortcut ]] || echo "no shortcut"
  registry_values "$UNINSTALL_KEY" || echo "no uninstall entry"
}

# The program was started by the shell, not by this script: once it ends it
# is reaped by whoever adopted it, which in a container's PID namespace may be
# nobody. A zombie has ended.
process_gone() {
  local stat
  stat=$(cat "/proc/$E2E_APP_PID/stat" 2>/dev/null) || return 0
  [[ ${stat##*) } == Z* ]]
}

probe folders >"$E2E_TMP/folders"
install_win="$(field "$E2E_TMP/folders" LocalAppData)\\Programs\\Quillet"
shortcut_win="$(field "$E2E_TMP/folders" Programs)\\Quillet.lnk"
work_win="$(field "$E2E_TMP/folders" Documents)\\Quillet"
profile=$(unix_path "$(field "$E2E_TMP/folders" Profile)")
install=$(unix_path "$install_win")
shortcut=$(unix_path "$shortcut_win")
work=$(unix_path "$work_win")
program_files=$(unix_path "$(field "$E2E_TMP/folders" ProgramFiles)")
[[ -d $profile && -d $program_files ]] || fail "the profile or Program Files is not where Wine says"
outside_profile >"$E2E_TMP/outside.before"

timeout 120 wine "$SETUP" /S || fail "the setup program ended with status $?"
note "installed into $install_win"
[[ $(ls -A "$install" | sort) == $(printf '%s\n' LICENSE.txt Uninstall.exe quillet.exe | sort) ]] ||
  fail "the install folder holds: $(ls -A "$install" | tr '\n' ' ')"
cmp -s "$install/quillet.exe" "$QUILLET" || fail "the installed quillet.exe is not the one built"
cmp -s "$install/LICENSE.txt" "$LICENSE" || fail "the installed LICENSE.txt is not LICENSE"

[[ -f $shortcut ]] || fail "no Start-menu entry at $shortcut_win"
probe shortcut "$shortcut_win" >"$E2E_TMP/shortcut"
expect_fields "$E2E_TMP/shortcut" "the Start-menu entry" \
  Target "$install_win\\quillet.exe" \
  Arguments "" \
  WorkingFolder "$work_win" \
  Icon "$install_win\\quillet.exe,0"
[[ -d $work && -z $(ls -A "$work") ]] || fail "$work_win is not there as an empty folder"

registry_values "$UNINSTALL_KEY" >"$E2E_TMP/key" || fail "no uninstall entry $UNINSTALL_KEY"
expect_fields "$E2E_TMP/key" "the uninstall entry" \
  DisplayName Quillet \
  DisplayVersion "$VERSION" \
  Publisher "Quillet Labelworks" \
  DisplayIcon "$install_win\\quillet.exe,0" \
  InstallLocation "$install_win" \
  UninstallString "\"$install_win\\Uninstall.exe\"" \
  QuietUninstallString "\"$install_win\\Uninstall.exe\" /S"

# Without administrator rights: nothing for the whole machine.
expect_no_key "$MACHINE_UNINSTALL_KEY"
[[ ! -e $program_files/Quillet ]] || fail "the setup program wrote into Program Files"
outside_profile >"$E2E_TMP/outside.after"
diff "$E2E_TMP/outside.before" "$E2E_TMP/outside.after" >"$E2E_TMP/outside.diff" ||
  fail "the setup program wrote outside the profile: $(head -5 "$E2E_TMP/outside.diff")"

# As the user starts it: the Start-menu entry, opened from elsewhere.
(cd "$E2E_TMP" && timeout 60 wine start "$shortcut_win") ||
  fail "the Start-menu entry could not be opened"
E2E_WID=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quillet$' | awk 'NR == 1') ||
  fail "the window \"Quillet\" did not appear"
E2E_APP_PID=$(xdotool getwindowpid "$E2E_WID") || fail "the window has no process id"
wait_for 10 test -f "$work/Quillex.dat" || fail "no Quillex.dat in $work_win"
expect_bytes "$work/Quillex.dat" '0\r\n0\r\n'
[[ $(ls -A "$work") == Quillex.dat ]] || fail "$work_win holds: $(ls -A "$work" | tr '\n' ' ')"

# The uninstaller run in place (_?=), so that its status is its own.
installed_state >"$E2E_TMP/state.before"
status=0
timeout 60 wine "$install/Uninstall.exe" /S "_?=$install_win" || status=$?
# 2 is NSIS's "aborted by the script"; a hang cut off by timeout would be 124.
((status == 2)) || fail "the uninstaller ended with status $status while the program was running, expected 2"
installed_state >"$E2E_TMP/state.after"
diff "$E2E_TMP/state.before" "$E2E_TMP/state.after" >"$E2E_TMP/state.diff" ||
  fail "the refused uninstall changed the install: $(head -5 "$E2E_TMP/state.diff")"
note "an uninstall while the program runs: refused with status $status, nothing removed"

menu f e
wait_for 20 process_gone || fail "the program is still running after File > Exit"
E2E_APP_PID=""

# The user's files in the working folder; the uninstall must keep them.
printf '"a b"\r\n' >"$work/LabelList.txt"
# An NSIS uninstaller copies itself away and returns at once: wait for the
# files to go, and for its copy to end.
timeout 60 wine "$install/Uninstall.exe" /S || fail "the uninstaller ended with status $?"
wait_for 60 test ! -e "$install" || fail "$install_win is still there: $(ls -A "$install")"
timeout 60 wineserver -w || fail "Wine did not end its session after the uninstall"
[[ ! -e $shortcut ]] || fail "the Start-menu entry is still there"
expect_no_key "$UNINSTALL_KEY"
expect_bytes "$work/Quillex.dat" '0\r\n0\r\n'
expect_bytes "$work/LabelList.txt" '"a b"\r\n'
[[ $(ls -A "$work" | sort) == $(printf '%s\n' LabelList.txt Quillex.dat | sort) ]] ||
  fail "$work_win holds: $(ls -A "$work" | tr '\n' ' ')"
outside_profile >"$E2E_TMP/outside.after"
diff "$E2E_TMP/outside.before" "$E2E_TMP/outside.after" >"$E2E_TMP/outside.diff" ||
  fail "the uninstall changed things outside the profile: $(head -5 "$E2E_TMP/outside.diff")"
