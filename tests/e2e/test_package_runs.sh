#!/usr/bin/env bash
# The Debian package as a user gets it: built with CPack, unpacked into a private root, started
# the way the desktop menu starts it (the Exec line of its .desktop entry, found on PATH). The
# window must appear, the per-user data directory must be filled on the first start only, and
# a second start must keep the user's own files.
set -euo pipefail
source "$E2E_LIB"

[ -n "${QUORVEL_BINARY_DIR:-}" ] || fail "QUORVEL_BINARY_DIR is not set"
work=$(mktemp -d /tmp/quorvel-package-XXXXXX)
running=""
cleanup_package() {
  if [ -n "$running" ]; then kill "$running" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup_package EXIT

# Build the package from the finished build.
(cd "$QUORVEL_BINARY_DIR" && cpack -G DEB -B "$work/package") >"$E2E_ARTIFACTS/cpack.log" 2>&1 ||
  fail "cpack failed (see cpack.log)"
deb=$(ls "$work"/package/*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] && [ -f "$deb" ] || fail "cpack made no .deb"
dpkg-deb -I "$deb" >"$E2E_ARTIFACTS/package-info.txt"
dpkg-deb -c "$deb" >"$E2E_ARTIFACTS/package-contents.txt"

# Every package the .deb depends on must be one this (Debian) machine can name and has
# installed: that is what apt resolves on a clean install.
depends=$(dpkg-deb -f "$deb" Depends)
[ -n "$depends" ] || fail "the package declares no dependencies"
IFS=',' read -ra clauses <<<"$depends"
for clause in "${clauses[@]}"; do
  satisfied=""
  IFS='|' read -ra alternatives <<<"$clause"
  for alternative in "${alternatives[@]}"; do
    name=$(sed -E 's/\(.*\)//; s/[[:space:]]//g; s/:.*$//' <<<"$alternative")
    if dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed'; then
      satisfied=$name
      break
    fi
  done
  [ -n "$satisfied" ] || fail "dependency '$clause' is not an installed Debian package"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
usr=$root/usr

# What the menu needs: the entry, its program on PATH, its icon in the hicolor theme, and the
# help page.
entry=$usr/share/applications/quorvel.desktop
[ -f "$entry" ] || fail "the package has no menu entry"
exec_line=$(sed -n 's/^Exec=//p' "$entry" | head -n 1)
icon=$(sed -n 's/^Icon=//p' "$entry" | head -n 1)
[ -n "$exec_line" ] || fail "the menu entry has no Exec line"
ls "$usr"/share/icons/hicolor/*/apps/"$icon".png >/dev/null 2>&1 ||
  fail "the menu entry's icon '$icon' is not in the package's hicolor theme"
[ -f "$usr/share/quorvel/help/quorvel.html" ] || fail "the package has no help page"
for program in quorvel quorvel-lookup makedb quorvel-launcher; do
  [ -x "$usr/bin/$program" ] || fail "the package lacks the program $program"
done

# The installed programs must not reach back into the build tree for their libraries.
for program in quorvel quorvel-lookup makedb; do
  if readelf -d "$usr/bin/$program" | grep -E 'RPATH|RUNPATH' | grep -q "$QUORVEL_BINARY_DIR"; then
    fail "$program keeps the build tree in its library path"
  fi
  if ldd "$usr/bin/$program" | grep -q 'not found'; then
    fail "$program needs a library that is not installed: $(ldd "$usr/bin/$program" | grep 'not found')"
  fi
done

# A fresh user: no data directory yet. XDG_DATA_HOME is unset so the default applies.
export HOME=$work/home
mkdir -p "$HOME"
unset XDG_DATA_HOME
datadir=$HOME/.local/share/quorvel

start_from_menu() {
  # shellcheck disable=SC2086 # the Exec line is a command line, split as the desktop does.
  (cd "$HOME" && PATH="$usr/bin:$PATH" exec $exec_line) >>"$E2E_ARTIFACTS/launcher.log" 2>&1 &
  running=$!
}

stop_program() {
  kill "$running" 2>/dev/null || true
  wait_until 20 bash -c "! kill -0 $running" || fail "the program did not end"
  running=""
}

start_from_menu
window=$(wait_for_window "Quorvel" 60)
[ -n "$window" ] || fail "no main window"
screenshot "package-first-start"
for file in mtgo.mdb collection.mdb filter.ini; do
  [ -s "$datadir/$file" ] || fail "the first start did not put $file into $datadir"
done
cards=$(sqlite3 "$datadir/mtgo.mdb" 'SELECT COUNT(*) FROM cardslist;')
[ "$cards" -gt 1000 ] || fail "the new price database holds only $cards cards"
# The program runs in the data directory.
[ "$(readlink -f "/proc/$running/cwd")" = "$(readlink -f "$datadir")" ] ||
  fail "the program runs in $(readlink -f "/proc/$running/cwd"), not in $datadir"
stop_program

# The user's own files survive the next start.
printf '[filters]\nf1=playset>4x\n' >"$datadir/filter.ini"
sqlite3 "$datadir/mtgo.mdb" "UPDATE cardslist SET reg_value = 42.5 WHERE id = (SELECT MIN(id) FROM cardslist);" ||
  fail "could not change the price database"
prices_before=$(md5sum <"$datadir/mtgo.mdb")
collection_before=$(md5sum <"$datadir/collection.mdb")

start_from_menu
wait_for_window "Quorvel" 60 >/dev/null
screenshot "package-second-start"
[ "$(cat "$datadir/filter.ini")" = "$(printf '[filters]\nf1=playset>4x')" ] ||
  fail "the second start overwrote filter.ini"
[ "$(md5sum <"$datadir/mtgo.mdb")" = "$prices_before" ] || fail "the second start rewrote mtgo.mdb"
[ "$(md5sum <"$datadir/collection.mdb")" = "$collection_before" ] ||
  fail "the second start rewrote collection.mdb"
stop_program
echo "package runs: $(basename "$deb")"
