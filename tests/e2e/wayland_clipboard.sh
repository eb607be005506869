#!/usr/bin/env bash
# Copies made in a native Wayland program (wl-copy) and in an X program through XWayland
# (xclip) reach Quorvel at once while its window does not have the focus: under a headless
# sway started here, with a value report and the grid listing the cards. sway refuses to run
# as root, so as root the session (sway, Quorvel and the copying programs) runs as nobody.
# Where no compositor can run, the test is skipped (exit status 77) and says why.
set -euo pipefail

skip() {
  echo "skipped: no Wayland compositor ($*)"
  exit 77
}
for program in sway Xwayland wl-copy wl-paste xclip xdotool; do
  command -v "$program" >/dev/null 2>&1 || skip "$program is not installed; scripts/install-deps installs it"
done

artifacts=${E2E_ARTIFACTS_ROOT:-/tmp/quorvel-e2e}/wayland_clipboard
rm -rf "$artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d /tmp/quorvel-wayland-XXXXXX)
chmod 755 "$work"
mkdir -m 700 "$work/runtime"
mkdir "$work/home" "$work/db"
pids=()
cleanup() {
  local status=$?
  # Quorvel first, then sway: XWayland and the clipboard programs end with the compositor.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
  exit $status
}
trap cleanup EXIT

session_env=(PATH=/usr/local/bin:/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
  XDG_CONFIG_HOME="$work/home/.config" XDG_SESSION_TYPE=wayland LANG=C.UTF-8)
user=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  user=nobody
  command -v setpriv >/dev/null 2>&1 || skip "setpriv is needed to leave root"
  # Xwayland makes its socket here; as another user it cannot create the folder itself.
  [ -d /tmp/.X11-unix ] || install -d -m 1777 /tmp/.X11-unix
fi
# as_user COMMAND...: runs COMMAND as the session's user, in the session's environment only.
# start_as_user FOLDER LOG COMMAND...: the same in the background, in FOLDER; every step
# replaces itself by the next (setpriv, env, the command), so the id kept in pids is the
# command's own and the cleanup ends it.
user_prefix() {
  prefix=()
  if [ "$user" != "$(id -un)" ]; then
    prefix=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups --)
  fi
  prefix+=(env -i "${session_env[@]}")
}
as_user() {
  user_prefix
  "${prefix[@]}" "$@"
}
start_as_user() {
  local folder=$1 log=$2
  shift 2
  user_prefix
  (cd "$folder" && exec "${prefix[@]}" "$@") >"$log" 2>&1 &
  pids+=($!)
}

"$MAKEDB_BIN" --out "$work/db" >"$artifacts/makedb.log" 2>&1
cp "$QUORVEL_SOURCE_DIR/data/filter.ini" "$work/db/"
chown -R "$user" "$work/runtime" "$work/home" "$work/db"
quorvel=$QUORVEL_BIN
if ! as_user test -x "$quorvel"; then
  cp "$QUORVEL_BIN" "$work/quorvel"
  quorvel=$work/quorvel
fi

cat >"$work/sway.config" <<'CONFIG'
xwayland enable
output HEADLESS-1 resolution 1280x800
exec sh -c 'printf "WAYLAND_DISPLAY=%s\nDISPLAY=%s\nSWAYSOCK=%s\n" "$WAYLAND_DISPLAY" "$DISPLAY" "$SWAYSOCK" >"$XDG_RUNTIME_DIR/session.env.new" && mv "$XDG_RUNTIME_DIR/session.env.new" "$XDG_RUNTIME_DIR/session.env"'
CONFIG
start_as_user "$work" "$artifacts/sway.log" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
  WLR_RENDERER=pixman sway -c "$work/sway.config"
for _ in $(seq 100); do
  [ -s "$work/runtime/session.env" ] && break
  sleep 0.1
done
if [ ! -s "$work/runtime/session.env" ]; then
  tail -n 20 "$artifacts/sway.log"
  skip "sway did not start headless; its log is in $artifacts/sway.log"
fi
while IFS= read -r line; do
  session_env+=("$line")
done <"$work/runtime/session.env"
grep -q '^DISPLAY=:' "$work/runtime/session.env" || skip "sway started without XWayland"

# fail and wait_until of the X sessions' scripts (no screenshot here: there is no X root).
E2E_ARTIFACTS=$artifacts
source "$(dirname "$0")/lib.sh"
screenshot() { :; }
window_named() { as_user xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
report_shown() { [ -n "$(window_named 'Quorvel value report')" ]; }
report_gone() { ! report_shown; }
workspace() { as_user swaymsg workspace "$1" >/dev/null; }
# grid_text: the main window's grid, copied with Select All and Copy, read as a Wayland program.
grid_text() {
  workspace 1
  local window
  window=$(window_named Quorvel)
  as_user xdotool windowactivate --sync "$window" 2>/dev/null || true
  as_user xdotool key Tab Tab Tab Tab ctrl+a ctrl+c
  sleep 0.5
  as_user wl-paste --no-newline 2>/dev/null || true
}

start_as_user "$work/db" "$artifacts/quorvel.log" "$quorvel"
wait_until 30 window_named Quorvel || fail "no Quorvel window on XWayland"
# wl-paste reports what the clipboard holds when it starts; that is not a copy.
sleep 2

# Another workspace takes the focus away from Quorvel's window.
workspace 2
as_user wl-copy "WTS: 4x Wrath of God 3tix"
wait_until 10 report_shown || fail "no value report for a copy in a Wayland program"
text=$(grid_text)
case "$text" in
  *"Wrath of God"*) ;;
  *) fail "the grid does not list the card copied in a Wayland program: '$text'" ;;
esac

# The grid's own Copy was reported too; then a copy in an X program, again without the focus.
wait_until 15 report_gone || fail "the value report stays open"
workspace 2
printf '%s' "Shock, Counterspell" | as_user xclip -selection clipboard -i
wait_until 10 report_shown || fail "no value report for a copy in an X program"
text=$(grid_text)
case "$text" in
  *Counterspell*) ;;
  *) fail "the grid does not list the cards copied in an X program: '$text'" ;;
esac
case "$text" in
  *Shock*) ;;
  *) fail "the grid does not list Shock: '$text'" ;;
esac
echo "copies in Wayland and X programs were seen without the focus"
