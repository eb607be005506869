#!/usr/bin/env bash
# Exactly one of 40 simultaneous starts runs, without a runtime folder, while another user has
# put a socket that answers where the program once listened (the temporary folder) and a plain
# file where it would make its private folder there.
set -euo pipefail
source "$E2E_LIB"

other_uid=$(id -u nobody)
other_gid=$(id -g nobody)
shared=$E2E_WORKDIR/shared-tmp
mkdir -p "$shared"
chmod 1777 "$shared"
chmod 711 "$E2E_WORKDIR"
uid=$(id -u)
# setpriv runs the listener in its own place (no shell in between), so its id is the listener's.
setpriv --reuid="$other_uid" --regid="$other_gid" --clear-groups /usr/bin/python3 -c '
import socket, sys, time
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1]); s.listen(64)
open(sys.argv[1] + ".up", "w").close()
time.sleep(600)' "$shared/Quorvel-$uid" &
listener=$!
setpriv --reuid="$other_uid" --regid="$other_gid" --clear-groups touch "$shared/quorvel-$uid"
wait_until 10 test -e "$shared/Quorvel-$uid.up" || fail "the other user's socket is not up"

starts=()
cleanup_starts() {
  kill "${starts[@]}" "$listener" 2>/dev/null || true
}
trap cleanup_starts EXIT
for i in $(seq 40); do
  (cd "$E2E_WORKDIR" && exec env -u XDG_RUNTIME_DIR TMPDIR="$shared" \
    XDG_CACHE_HOME="$E2E_WORKDIR/.cache" "$QUORVEL_BIN") >"$E2E_ARTIFACTS/start-$i.log" 2>&1 &
  starts+=($!)
done

# Every start shows a window: the main window, or the box saying a copy runs.
has_window() { xdotool search --onlyvisible --pid "$1" >/dev/null 2>&1; }
all_shown() {
  for pid in "${starts[@]}"; do
    has_window "$pid" || return 1
  done
}
wait_until 120 all_shown || fail "not every start showed a window"
# The box that says a copy runs is titled "Quorvel" too, but is far narrower than the window.
main_windows=0
for pid in "${starts[@]}"; do
  for id in $(xdotool search --all --onlyvisible --pid "$pid" --name '^Quorvel$' 2>/dev/null || true); do
    width=$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^WIDTH=//p')
    if [ "${width:-0}" -ge 600 ]; then
      main_windows=$((main_windows + 1))
    fi
  done
done
screenshot "forty-starts"
[ "$main_windows" -eq 1 ] || fail "$main_windows copies run, not one"
