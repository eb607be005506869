#!/usr/bin/env bash
# Not registered yet (no test_ prefix): it needs the main window to create the trade windows
# and wire "Put into list"; it becomes test_trade_advertise.sh once that has landed.
# Cards ticked in the main grid go into the trade list; its advertisement lands on the
# clipboard, and the program does not look its own advertisement up.
set -euo pipefail
source "$E2E_LIB"
source "$QUORVEL_SOURCE_DIR/tests/e2e/trade_lib.sh"

start_quorvel
main=$(wait_for_window "Quorvel")
activate "$main"
search_and_tick "$main" "Counterspell"
trade=$(wait_for_window "Trade List")

# Tick "Buy Value" of the first line (its boxes: name, buy value).
activate "$trade"
boxes=$(check_boxes "trade-list" "$trade")
[ "$(echo "$boxes" | grep -c .)" -ge 2 ] || fail "no check boxes in the trade list: '$boxes'"
click_at $(echo "$boxes" | sed -n 2p)

# The main grid now shows another card, so a lookup of the advertisement would show.
activate "$main"
xdotool key shift+Tab shift+Tab shift+Tab ctrl+a
xdotool type --delay 30 "Shock"
xdotool key Return
sleep 0.8

activate "$trade"
xdotool key alt+a
wait_for_window "Question" >/dev/null
xdotool key alt+n
wait_for_window "Information" >/dev/null
ad=$(clip_get)
echo "$ad" >"$E2E_ARTIFACTS/advertisement.txt"
assert_contains "$ad" "{t}Buying{t}Counterspell for {" "the advertisement"
xdotool key Return
sleep 0.5

# The main grid still lists Shock, not the advertised card.
activate "$main"
xdotool key Tab Tab Tab Tab ctrl+a ctrl+c
grid_copied() { clip_get | grep -q "Shock"; }
wait_until 10 grid_copied || fail "the main grid no longer lists Shock: '$(clip_get)'"
assert_not_contains "$(clip_get)" "Counterspell" "the main grid after advertising"
screenshot "done"
kill "$QUORVEL_PID"
