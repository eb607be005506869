#!/usr/bin/env bash
# Usage: check-package.sh BUILD_DIR
# Installs the build into a staging folder and builds the .deb, then checks that both hold the
# programs, the launcher, the menu entry, the sample data and the icons, that the package
# depends on Debian's runtime libraries, that lintian finds nothing to complain of beyond the
# package's own justified overrides, and that the launcher fills a fresh data directory once
# without overwriting a user's files.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >/dev/null
stage=$work/stage/usr
for file in bin/quorvel bin/quorvel-launcher share/applications/quorvel.desktop \
            share/quorvel/sets-2003.tsv; do
  [ -e "$stage/$file" ] || fail "the installation lacks $file"
done
for optional in bin/makedb bin/quorvel-lookup share/quorvel/filter.ini \
                share/icons/hicolor/48x48/apps/quorvel.png; do
  [ -e "$stage/$optional" ] || echo "note: the installation has no $optional yet"
done
grep -q '^Exec=quorvel-launcher' "$stage/share/applications/quorvel.desktop" ||
  fail "the menu entry does not start the launcher"

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/package/*.deb | head -n 1)
[ -f "$deb" ] || fail "no .deb was built"
# A debug-symbol package exactly when the build carries debugging information (RelWithDebInfo,
# Debug), holding the symbols of the programs; a Release build makes none.
ddeb=$(ls "$work"/package/quorvel-dbgsym_*.ddeb 2>/dev/null | head -n 1)
if readelf -S "$stage/bin/quorvel" | grep -q '\.debug_info'; then
  [ -n "$ddeb" ] || fail "no debug-symbol package was built"
  grep -q '/usr/lib/debug/\.build-id/.*\.debug$' <<<"$(dpkg-deb -c "$ddeb")" ||
    fail "the debug-symbol package holds no symbols"
else
  [ -z "$ddeb" ] || fail "a debug-symbol package was built from programs without symbols"
fi
contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/quorvel ./usr/bin/quorvel-launcher ./usr/share/applications/quorvel.desktop; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done
# Every shared library an installed program needs must come from a package it depends on.
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libqt6widgets6 <<<"$depends" || fail "the package does not depend on Qt Widgets: $depends"
# Look libraries up in this machine's own multiarch folder: "*/libm.so.6" alone also matches
# the 32-bit copy of libc6-i386.
multiarch=$(gcc -print-multiarch 2>/dev/null || echo x86_64-linux-gnu)
for program in "$stage"/bin/*; do
  file -b "$program" | grep -q ELF || continue
  for library in $(objdump -p "$program" | awk '/NEEDED/ {print $2}'); do
    owner=$(dpkg -S "*/$multiarch/$library" 2>/dev/null | head -n 1 | cut -d: -f1)
    [ -n "$owner" ] || continue
    grep -q "$owner" <<<"$depends" ||
      fail "$(basename "$program") needs $library from $owner, which the package does not depend on: $depends"
  done
done

# Debian's own judge of a package: errors and warnings fail, unless the package overrides them
# (dist/debian/lintian-overrides, each justified in the README's packaging notes).
lintian --fail-on error,warning --tag-display-limit 0 "$deb" ${ddeb:+"$ddeb"} >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log"; fail "lintian found faults in the packages"; }
version=$(dpkg-deb -f "$deb" Version)
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/quorvel/changelog.Debian.gz | zcat |
  head -n 1 | grep -qF "quorvel ($version)" ||
  fail "the changelog's latest entry is not version $version: add an entry to dist/debian/changelog"

# A manual page for every command, the icon in every size of the hicolor theme and as SVG,
# and a menu entry the desktop accepts.
for program in "$stage"/bin/*; do
  name=$(basename "$program")
  page=$stage/share/man/man1/$name.1.gz
  [ -f "$page" ] || fail "$name has no manual page"
  zcat "$page" | grep -q "^\.SH NAME" || fail "the manual page of $name has no NAME section"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$stage/share/icons/hicolor/${size}x${size}/apps/quorvel.png
  file -b "$icon" 2>/dev/null | grep -q "PNG image data, $size x $size" ||
    fail "the ${size}x${size} icon is missing or has another size: $(file -b "$icon" 2>&1)"
done
grep -q "<svg" "$stage/share/icons/hicolor/scalable/apps/quorvel.svg" 2>/dev/null ||
  fail "the scalable icon is missing"
verdict=$(desktop-file-validate "$stage/share/applications/quorvel.desktop" 2>&1) && [ -z "$verdict" ] ||
  fail "desktop-file-validate objects to the menu entry: $verdict"

# The launcher's first start fills the data directory; a second start keeps the user's files.
if [ -x "$stage/bin/makedb" ]; then
  export XDG_DATA_HOME=$work/data
  fake_bin=$work/fakebin
  mkdir -p "$fake_bin"
  cp "$stage/bin/quorvel-launcher" "$stage/bin/makedb" "$fake_bin/"
  printf '#!/bin/sh\npwd > "%s/started-in"\n' "$work" >"$fake_bin/quorvel"
  chmod +x "$fake_bin/quorvel"
  mkdir -p "$work/share"
  ln -s "$stage/share/quorvel" "$work/share/quorvel"
  "$fake_bin/quorvel-launcher"
  [ "$(cat "$work/started-in")" = "$XDG_DATA_HOME/quorvel" ] || fail "the program did not start in the data directory"
  [ -s "$XDG_DATA_HOME/quorvel/mtgo.mdb" ] || fail "the first start made no price database"
  echo "user data" >"$XDG_DATA_HOME/quorvel/filter.ini"
  before=$(md5sum "$XDG_DATA_HOME/quorvel/mtgo.mdb")
  "$fake_bin/quorvel-launcher"
  [ "$(cat "$XDG_DATA_HOME/quorvel/filter.ini")" = "user data" ] || fail "the launcher overwrote filter.ini"
  [ "$(md5sum "$XDG_DATA_HOME/quorvel/mtgo.mdb")" = "$before" ] || fail "the launcher rewrote mtgo.mdb"
fi
echo "package ok: $(basename "$deb")"
