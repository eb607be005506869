#!/usr/bin/env bash
# Not registered yet (no test_ prefix): it needs the main window to create the trade windows
# and wire "Put into list"; it becomes test_trade_deal.sh once that has landed.
# "Bought" logs the trade list as a deal; My Collection and Transaction Log then show it.
set -euo pipefail
source "$E2E_LIB"
source "$QUORVEL_SOURCE_DIR/tests/e2e/trade_lib.sh"

start_quorvel
main=$(wait_for_window "Quorvel")
activate "$main"
search_and_tick "$main" "Counterspell"
trade=$(wait_for_window "Trade List")

activate "$trade"
xdotool key alt+b
wait_for_window "Question" >/dev/null
xdotool key alt+y
wait_for_window "Input price" >/dev/null
xdotool key ctrl+a
xdotool type --delay 30 "12.5"
xdotool key Tab
xdotool type --delay 30 "it's an e2e deal"
xdotool key Return
wait_for_window "Information" >/dev/null
xdotool key Return
sleep 0.3

stored=$(sqlite3 collection.mdb "select in_or_out, price, comments from trans_detail")
assert_contains "$stored" "0|12.5|it's an e2e deal" "the stored deal"
owned=$(sqlite3 collection.mdb "select no_owned from collections")
[ "$owned" = "1" ] || fail "owned count after buying one copy: '$owned'"

# grid_text WINDOW: the grid of a collection window, through Select All and Copy.
grid_text() {
  activate "$1"
  local X Y WIDTH HEIGHT
  read -r X Y WIDTH HEIGHT < <(window_rect "$1")
  click_at $((X + WIDTH / 3)) $((Y + HEIGHT / 3))
  xdotool key ctrl+a ctrl+c
  sleep 0.5
  clip_get
}

activate "$main"
xdotool key alt+v c
collection=$(wait_for_window "Collection")
text=$(grid_text "$collection")
echo "$text" >"$E2E_ARTIFACTS/collection.txt"
assert_contains "$text" "Counterspell" "the collection"
assert_contains "$(printf '%s' "$text" | tr '\t' ' ')" "1 Counterspell" "the collection"

activate "$main"
xdotool key alt+v l
log=$(wait_for_window "Transaction Log")
text=$(grid_text "$log")
echo "$text" >"$E2E_ARTIFACTS/transaction-log.txt"
assert_contains "$text" "Bought:1xCounterspell for 12.5" "the transaction log"
assert_contains "$text" "it's an e2e deal" "the transaction log"
screenshot "done"
kill "$QUORVEL_PID"
