# Wine for the tests: the environment every Wine run here has, and a test's
# own prefix, a copy of a prepared prefix that no program has used yet, made
# once per run by scripts/test-windows and named in QUILLET_WINE_TEMPLATE, or,
# for a test run on its own, a fresh one made by wineboot (about 20 s, against
# 1 s for the copy). Sourced by scripts/test-windows, and after lib.sh by the
# Windows driver and the Wine print tests.
#
# QUILLET_WINE_TEMPLATE names a folder with the prefix, prefix/, and the home
# folder it was made with, home/: wineboot links the user's Desktop,
# Documents and the like to the home folder, and a copy links them to its own.

# wine_env PREFIX: Wine's ANSI code page comes from the locale, here
# Windows-1252, as on an English or Western European Windows; no .NET or
# Gecko installers, and no menu entries written into the home.
wine_env() {
  export WINEPREFIX=$1 WINEDEBUG=-all LC_ALL=C.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# wine_make_template FOLDER: makes FOLDER/prefix with wineboot for the home
# folder FOLDER/home, and waits until Wine has written all of it.
wine_make_template() {
  mkdir -p "$1/home" || return
  HOME=$1/home WINEPREFIX=$1/prefix timeout --kill-after=10 180 wineboot --init &&
    HOME=$1/home WINEPREFIX=$1/prefix timeout 60 wineserver -w
}

# wine_copy_prefix TEMPLATE PREFIX: PREFIX as wineboot would make it for this
# $HOME, copied from the template folder TEMPLATE.
wine_copy_prefix() {
  local template=$1 prefix=$2 link target
  # Wine's own programs, libraries and code page tables, 630 of a prefix's
  # 695 MB, are shared with the template as hard links, since nothing writes
  # them in place; every other file, the registry first, is a copy of its own.
  cp -al "$template/prefix" "$prefix" || return
  find "$prefix" -type f ! -iregex '.*\.\(dll\|exe\|drv\|sys\|nls\|ocx\|cpl\|acm\|ax\|tlb\|com\)' \
    -exec sh -c 'for f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f" || exit; done' sh {} + ||
    return
  while IFS= read -r -d '' link; do
    target=$(readlink "$link")
    ln -sfn "$HOME${target#"$template/home"}" "$link" || return
  done < <(find "$prefix/drive_c/users" -type l -lname "$template/home*" -print0)
}

# wine_setup: the test's prefix in its temp folder, so that the printers it
# adds reach no other test. A program that loads the printing DLL takes the
# private CUPS's queues into the prefix.
wine_setup() {
  local start=$SECONDS
  wine_env "$E2E_TMP/wine"
  if [[ -n ${QUILLET_WINE_TEMPLATE:-} ]]; then
    wine_copy_prefix "$QUILLET_WINE_TEMPLATE" "$WINEPREFIX" ||
      fail "could not copy the Wine prefix in $QUILLET_WINE_TEMPLATE"
  else
    timeout --kill-after=10 180 wineboot --init >"$E2E_TMP/wineboot.log" 2>&1 ||
      fail "wineboot did not finish: $(tail -3 "$E2E_TMP/wineboot.log")"
  fi
  note "Wine prefix ready in $((SECONDS - start)) s"
}

# wine_print_setup QUEUE [SED_SCRIPT]: for a test that prints under Wine with
# no display: the temp folder, a private CUPS whose default queue is QUEUE
# (see add_pdf_queue), and the prefix.
wine_print_setup() {
  e2e_setup
  unset DISPLAY WAYLAND_DISPLAY
  start_cupsd
  add_pdf_queue "$@"
  wine_setup
}

# wine_settings KEY NAME=VALUE...: values of the user's registry key KEY in
# the syntax of a .reg file, for the programs of the next Wine session: this
# one is ended, since a session keeps the system colours it started with.
wine_settings() {
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\%s]\n' "$1" >"$E2E_TMP/settings.reg"
  shift
  printf '%s\n' "$@" >>"$E2E_TMP/settings.reg"
  timeout 60 wine regedit /S "$E2E_TMP/settings.reg" || fail "regedit could not set $(cat "$E2E_TMP/settings.reg")"
  # The session's services linger for seconds after the last program ends;
  # stopped now, the server saves the registry as it goes.
  wineserver -k 2>/dev/null
  timeout 60 wineserver -w || fail "Wine did not end its session"
}

# wine_display: the test's X server, and on it the one part of a window
# manager that Wine waits for, up to 2 s at every window it hides.
wine_display() {
  start_x
  background /usr/bin/python3 "$E2E_DIR/drivers/window_manager.py" state >"$E2E_TMP/wm.log" 2>&1
  wait_for 10 grep -qx ready "$E2E_TMP/wm.log" || fail "the window manager did not start: $(cat "$E2E_TMP/wm.log")"
}
