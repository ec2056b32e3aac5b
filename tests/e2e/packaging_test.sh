#!/usr/bin/env bash
# The program as installed: the desktop entry and AppStream data validate,
# `cmake --install` puts every file in its standard place, and `cpack -G DEB`
# builds a package that holds them, names its dependencies with the versions
# dpkg-shlibdeps found, and passes lintian without an error.
# Usage: packaging_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1 build_dir=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }
tmp=$(mktemp -d "${TMPDIR:-/tmp}/quillet-pack.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

for tool in file lintian dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || fail "$tool is missing: scripts/deps test installs it"
done

desktop-file-validate "$source_dir/packaging/quillet.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$build_dir/packaging/quillet.metainfo.xml" || fail "appstreamcli validate"

# The menu entry starts the program, by the name the package puts on PATH, in
# Quillet in the user's documents folder, made when missing, wherever the
# launcher runs it. Its Exec line is run as a launcher would (unescaped, then
# split by the entry's quoting rules, which are the shell's) from /, with a
# fake home and stubs of xdg-user-dir and of quillet, which notes its folder.
check_exec() { # DESKTOP_FILE
  local value said want n=0
  value=$(sed -n 's/^Exec=//p' "$1")
  value=${value//\\\\/\\}
  local -a command
  eval "command=($value)"
  while IFS='|' read -r said want; do
    n=$((n + 1))
    local case_dir="$tmp/exec $n"
    local home="$case_dir/home dir" bin="$case_dir/bin"
    mkdir -p "$home" "$bin"
    printf '#!/bin/sh\npwd >"%s/started"\n' "$case_dir" >"$bin/quillet"
    # xdg-user-dir names the home itself for a folder the user has not set.
    printf '#!/bin/sh\n[ "$1" = DOCUMENTS ] && [ -n "%s" ] && echo "%s"\n' \
      "$said" "${said/HOME/$home}" >"$bin/xdg-user-dir"
    chmod +x "$bin/quillet" "$bin/xdg-user-dir"
    (cd / && env -i HOME="$home" PATH="$bin:/usr/bin:/bin" "${command[@]}") ||
      fail "the menu entry's command failed (xdg-user-dir: '$said')"
    [[ -d "$home/$want" && $(cat "$case_dir/started") == "$home/$want" ]] ||
      fail "the menu entry started quillet in '$(cat "$case_dir/started" 2>/dev/null)', not '$home/$want'"
  done <<'CASES'
|Documents/Quillet
HOME|Documents/Quillet
HOME/Dokumente|Dokumente/Quillet
CASES
}

expect_tree() { # ROOT PREFIX: the installed files under ROOT/PREFIX
  local root=$1 prefix=$2 path
  for path in bin/quillet share/applications/quillet.desktop share/metainfo/quillet.metainfo.xml \
    share/icons/hicolor/16x16/apps/quillet.png share/icons/hicolor/32x32/apps/quillet.png \
    share/doc/quillet/copyright share/doc/quillet/changelog.gz share/man/man1/quillet.1.gz; do
    [[ -s $root$prefix/$path ]] || fail "$prefix/$path missing from $(basename "$root")"
  done
  [[ -x $root$prefix/bin/quillet ]] || fail "$prefix/bin/quillet is not executable"
  [[ $(file -b "$root$prefix/share/icons/hicolor/16x16/apps/quillet.png") == 'PNG image data, 16 x 16'* ]] ||
    fail "the 16x16 icon is $(file -b "$root$prefix/share/icons/hicolor/16x16/apps/quillet.png")"
  [[ $(file -b "$root$prefix/share/icons/hicolor/32x32/apps/quillet.png") == 'PNG image data, 32 x 32'* ]] ||
    fail "the 32x32 icon is $(file -b "$root$prefix/share/icons/hicolor/32x32/apps/quillet.png")"
  check_exec "$root$prefix/share/applications/quillet.desktop"
  gzip -t "$root$prefix/share/doc/quillet/changelog.gz" "$root$prefix/share/man/man1/quillet.1.gz" ||
    fail "a compressed document is damaged"
}

cmake --install "$build_dir" --prefix "$tmp/prefix" >"$tmp/install.log" || fail "cmake --install: $(tail -5 "$tmp/install.log")"
expect_tree "$tmp/prefix" ""
note "cmake --install: $(find "$tmp/prefix" -type f | wc -l) files"

(cd "$tmp" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$tmp/deb" >"$tmp/cpack.log" 2>&1) ||
  fail "cpack: $(tail -10 "$tmp/cpack.log")"
deb=$(find "$tmp/deb" -maxdepth 1 -name 'quillet_*.deb' | awk 'NR == 1')
[[ -n $deb ]] || fail "cpack made no quillet_*.deb: $(ls "$tmp/deb")"
note "package $(basename "$deb")"
dpkg-deb -x "$deb" "$tmp/root"
expect_tree "$tmp/root" /usr

# One version, the project's, everywhere the package says one.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
doc=$tmp/root/usr/share
while read -r place found; do
  [[ $found == "$version" ]] || fail "$place says \"$found\", the project is $version"
done <<VERSIONS
package $(dpkg-deb -f "$deb" Version)
changelog $(zcat "$doc/doc/quillet/changelog.gz" | sed -n '1s/^quillet (\([^)]*\)).*/\1/p')
manual-page $(zcat "$doc/man/man1/quillet.1.gz" | sed -n '1s/^\.TH .* "Quillet \([^"]*\)".*/\1/p')
AppStream $(grep -m 1 -o '<release version="[^"]*"' "$doc/metainfo/quillet.metainfo.xml" | cut -d '"' -f 2)
VERSIONS
# Hardened as Debian's own packages are, by what hardening-check looks for.
headers=$(readelf -lW "$tmp/root/usr/bin/quillet"; readelf -dW --dyn-syms "$tmp/root/usr/bin/quillet")
while read -r protection pattern; do
  grep -qE "$pattern" <<<"$headers" || fail "the program has no $protection"
done <<'HARDENING'
position-independence Elf file type is DYN \(Position-Independent
read-only-relocations ^ *GNU_RELRO
immediate-binding \(FLAGS\) +BIND_NOW
stack-protector UND __stack_chk_fail
HARDENING
# Versions come only from dpkg-shlibdeps; without it the list is bare names.
depends=$(dpkg-deb -f "$deb" Depends)
for name in libqt6widgets6 libc6; do
  [[ ", $depends" == *", $name (>= "* ]] || fail "Depends has no version for $name"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ ", $recommends," == *", fonts-dejavu-core,"* ]] || fail "Recommends lacks fonts-dejavu-core: $recommends"
# The summary is the first line; the long text must not say it again.
description=$(dpkg-deb -f "$deb" Description)
summary=$(head -n 1 <<<"$description")
first_long=$(sed -n '2s/^ *//p' <<<"$description")
[[ -n $first_long && $first_long != "$summary" ]] || fail "description: $description"

# lintian exits 1 when it could not check, 2 when it found an error (E:).
lintian_status=0
lintian --fail-on error --tag-display-limit 0 "$deb" >"$tmp/lintian.log" 2>&1 || lintian_status=$?
((lintian_status != 1)) || fail "lintian could not check the package: $(tail -5 "$tmp/lintian.log")"
((lintian_status == 0)) || fail "lintian errors: $(grep '^E: ' "$tmp/lintian.log")"
note "lintian: $(grep -c '^W: ' "$tmp/lintian.log") warnings, no errors"
grep '^W: ' "$tmp/lintian.log" | sed 's/^/-- /' || true

[[ $(dpkg-deb -f "$deb" Package) == quillet ]] || fail "package name $(dpkg-deb -f "$deb" Package)"
note "Depends: $depends"
for name in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 fonts-liberation2 libc6 libstdc++6; do
  [[ ", $depends," == *", $name"[\ ,]* ]] || fail "Depends lacks $name"
done
[[ $(dpkg-deb -f "$deb" Maintainer) == *'@quillet.example>'* ]] || fail "maintainer: $(dpkg-deb -f "$deb" Maintainer)"
note "packaging test passed"
