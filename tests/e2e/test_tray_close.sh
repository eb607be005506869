#!/usr/bin/env bash
# e2e: tray
# Closing the main window hides it into the tray and the program keeps running; a second
# start while it hides there brings the main window back, un-minimised and active, says
# "Quorvel already running..." and ends.
set -euo pipefail
source "$E2E_LIB"

open_main_window
xdotool key alt+F4
hidden() { ! xdotool search --all --onlyvisible --name '^Quorvel$' >/dev/null 2>&1; }
wait_until 10 hidden || fail "the close button did not hide the main window"
kill -0 "$QUORVEL_PID" 2>/dev/null || fail "closing the window ended the program"
screenshot "hidden-in-tray"

(cd "$E2E_WORKDIR" && exec "$QUORVEL_BIN") >"$E2E_ARTIFACTS/second.log" 2>&1 &
second=$!
# main_window: the first copy's visible window titled "Quorvel" and wider than its tray icon
# (which has that title too, as has the second copy's message).
main_window() {
  local id WIDTH
  for id in $(xdotool search --onlyvisible --pid "$QUORVEL_PID" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = Quorvel ] || continue
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | grep '^WIDTH=')"
    [ "${WIDTH:-0}" -gt 200 ] && { echo "$id"; return 0; }
  done
  return 1
}
shown() { main_window >/dev/null; }
wait_until 20 shown || fail "the second start left the main window hidden in the tray"
# The second copy's only window is its message.
box() { xdotool search --onlyvisible --pid "$second" 2>/dev/null | head -n 1 | grep .; }
# answer_message: Enter in the second copy's message, once the first copy has come forward.
answer_message() {
  sleep 0.5
  local message
  message=$(box) || fail "the second copy's message is gone"
  timeout 10 xdotool windowactivate --sync "$message" >/dev/null 2>&1 || true
  sleep 0.3
  xdotool key Return
}
wait_until 20 box || fail "the second copy showed no message"
screenshot "already-running"
kill -0 "$QUORVEL_PID" 2>/dev/null || fail "the first copy ended"
main=$(main_window)
state=$(xprop -id "$main" _NET_WM_STATE 2>/dev/null || true)
assert_not_contains "$state" "_NET_WM_STATE_HIDDEN" "the main window's state"
answer_message
ended() { ! kill -0 "$second" 2>/dev/null; }
wait_until 10 ended || fail "the second copy kept running after its message"

# Minimised (not closed), a second start brings it back as well.
xdotool windowminimize --sync "$main" 2>/dev/null || xdotool windowminimize "$main"
hidden() { ! shown; }
wait_until 10 hidden || fail "minimising did not hide the main window into the tray"
(cd "$E2E_WORKDIR" && exec "$QUORVEL_BIN") >"$E2E_ARTIFACTS/third.log" 2>&1 &
second=$!
wait_until 20 shown || fail "the second start left the minimised main window hidden"
wait_until 20 box || fail "the second copy showed no message"
answer_message
wait_until 10 ended || fail "the second copy kept running after its message"

kill "$QUORVEL_PID"
