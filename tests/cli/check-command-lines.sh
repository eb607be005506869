#!/usr/bin/env bash
# Usage: check-command-lines.sh QUORVEL QUORVEL_LOOKUP MAKEDB LAUNCHER VERSION SOURCE_DIR IMPORT
set -euo pipefail
quorvel=$1 lookup=$2 makedb=$3 launcher=$4 version=$5 source_dir=$6 import=$7
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Every run happens in an empty folder with an empty home and no display: nothing may appear
# in either.
scratch=$work/scratch
mkdir -p "$scratch/home"
run() {
  (cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME -u XDG_CONFIG_HOME \
     -u XDG_RUNTIME_DIR HOME="$scratch/home" "$@" >"$work/out" 2>"$work/err")
}

for program in "$quorvel" "$lookup" "$makedb" "$launcher" "$import"; do
  name=$(basename "$program")
  for help in --help -h; do
    run "$program" "$help" || fail "$name $help ended with status $?: $(cat "$work/err")"
    grep -q "^Usage: $name" "$work/out" || fail "$name $help printed no usage: $(head -n 3 "$work/out")"
    [ ! -s "$work/err" ] || fail "$name $help wrote to standard error: $(cat "$work/err")"
  done
  run "$program" --version || fail "$name --version ended with status $?"
  [ "$(cat "$work/out")" = "$name (Quorvel) $version" ] ||
    fail "$name --version printed '$(cat "$work/out")'"
  status=0
  run "$program" --frobnicate || status=$?
  [ "$status" -eq 2 ] || fail "$name --frobnicate ended with status $status, not 2"
  [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q -- "--frobnicate" "$work/err" ||
    fail "$name --frobnicate did not give a one-line error naming it: $(cat "$work/err")"
  [ ! -s "$work/out" ] || fail "$name --frobnicate wrote to standard output"
done
leftovers=$(find "$scratch" -mindepth 1 -not -path "$scratch/home")
[ -z "$leftovers" ] || fail "--help, --version or an unknown option left files behind: $leftovers"

run "$makedb" --help
! grep -q "$source_dir" "$work/out" || fail "makedb --help names a path of the build machine"

# quorvel-lookup in a folder without a price database says where it looked and where the
# menu's copy of Quorvel keeps its data.
status=0
run "$lookup" shock || status=$?
[ "$status" -eq 2 ] || fail "quorvel-lookup without mtgo.mdb ended with status $status"
grep -qF "$scratch/mtgo.mdb" "$work/err" || fail "quorvel-lookup does not say where it looked: $(cat "$work/err")"
grep -qF "~/.local/share/quorvel" "$work/err" || fail "quorvel-lookup does not point at the data folder"

# The launcher shows its failures in the program's own error box: here the data folder cannot
# be made, since a file stands where its parent should be.
fake=$work/fakebin
mkdir -p "$fake"
cp "$launcher" "$fake/"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s/box"\n' "$work" >"$fake/quorvel"
chmod +x "$fake/quorvel"
touch "$work/not-a-folder"
status=0
DISPLAY=:99 XDG_DATA_HOME=$work/not-a-folder "$fake/quorvel-launcher" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "the launcher ended with status $status after failing"
[ "$(head -n 1 "$work/box" 2>/dev/null)" = "--show-error" ] || fail "the launcher showed no error box"
grep -qF "$work/not-a-folder/quorvel" "$work/box" || fail "the error box does not name the folder: $(cat "$work/box")"
grep -qF "$work/not-a-folder/quorvel" "$work/err" || fail "the launcher's error is not on standard error too"
echo "command lines ok"
