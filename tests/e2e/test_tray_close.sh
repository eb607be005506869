#!/usr/bin/env bash
# e2e: tray
# Closing the main window hides it into the tray and the program keeps running; a second
# start while it hides there says "Quorvel already running..." and ends.
set -euo pipefail
source "$E2E_LIB"

start_quorvel
window=$(wait_for_window "Quorvel")
[ -n "$window" ] || fail "no main window"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key alt+F4
hidden() { ! xdotool search --onlyvisible --name '^Quorvel$' >/dev/null 2>&1; }
wait_until 10 hidden || fail "the close button did not hide the main window"
kill -0 "$QUORVEL_PID" 2>/dev/null || fail "closing the window ended the program"
screenshot "hidden-in-tray"

(cd "$E2E_WORKDIR" && exec "$QUORVEL_BIN") >"$E2E_ARTIFACTS/second.log" 2>&1 &
second=$!
sleep 2
kill -0 "$second" 2>/dev/null || fail "the second copy ended without a word"
screenshot "already-running"
xdotool key Return
ended() { ! kill -0 "$second" 2>/dev/null; }
wait_until 10 ended || fail "the second copy kept running after its message"
kill -0 "$QUORVEL_PID" 2>/dev/null || fail "the first copy ended"
hidden || fail "the second start showed the hidden main window"

kill "$QUORVEL_PID"
