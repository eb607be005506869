#!/usr/bin/env bash
# A search typed into the main window lists its cards in the grid; the grid's rows are read
# back through Select All and Copy.
set -euo pipefail
source "$E2E_LIB"

open_main_window

# The search box has the focus when the window opens.
xdotool type --delay 30 "Counterspell"
xdotool key Return
sleep 0.5
screenshot "searched"

# Search box -> Search -> Correct Price -> Put into list -> grid.
xdotool key Tab Tab Tab Tab ctrl+a ctrl+c
grid_copied() { clip_get | grep -q "Counterspell"; }
wait_until 10 grid_copied || fail "the grid's Copy gave no Counterspell row: '$(clip_get)'"
copied=$(clip_get)
echo "$copied" >"$E2E_ARTIFACTS/grid.txt"
assert_contains "$copied" "https://scryfall.com/card/7ed/67" "the copied grid"
assert_not_contains "$copied" "Shock" "the copied grid"
rows=$(printf '%s\n' "$copied" | grep -c "Counterspell")
[ "$rows" -eq 1 ] || fail "expected one Counterspell row, got $rows"

# Escape never closes the window.
xdotool key Escape
sleep 0.3
xdotool search --onlyvisible --name '^Quorvel$' >/dev/null || fail "Escape closed the window"
screenshot "after-escape"

kill "$QUORVEL_PID"
