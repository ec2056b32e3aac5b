# The Wine prefix of a test: a copy of a prepared prefix that no program has
# used yet, made once per run by scripts/test-windows and named in
# QUILLET_WINE_TEMPLATE, or, for a test run on its own, a fresh one made by
# wineboot (about 20 s, against 1 s for the copy). Sourced by the Wine test
# libraries after tests/e2e/e2e_lib.sh, and by scripts/test-windows.
#
# QUILLET_WINE_TEMPLATE names a folder with the prefix, prefix/, and the home
# folder it was made with, home/: wineboot links the user's Desktop,
# Documents and the like to the home folder, and a copy links them to its own.

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

# wine_make_prefix LOG: makes $WINEPREFIX for this $HOME, from the template
# when there is one; wineboot's output goes to LOG.
wine_make_prefix() {
  local start=$SECONDS
  if [[ -n ${QUILLET_WINE_TEMPLATE:-} ]]; then
    wine_copy_prefix "$QUILLET_WINE_TEMPLATE" "$WINEPREFIX" ||
      fail "could not copy the Wine prefix in $QUILLET_WINE_TEMPLATE"
    note "Wine prefix copied in $((SECONDS - start)) s"
  else
    timeout --kill-after=10 180 wineboot --init >"$1" 2>&1 ||
      fail "wineboot did not finish: $(tail -3 "$1")"
    note "Wine prefix ready in $((SECONDS - start)) s"
  fi
}
