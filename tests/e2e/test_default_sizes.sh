#!/usr/bin/env bash
# e2e: screen 1366x768
# The first start on a 1366x768 screen: the main window, the Trade List, My Collection and the
# Transaction Log open wholly on the screen and larger than their templates, and My Collection
# and the Transaction Log side by side. The screenshots are the user guide's pictures of the
# first sizes.
set -euo pipefail
source "$E2E_LIB"

# window_of TITLE: the visible window of the program titled exactly TITLE.
window_of() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$QUORVEL_PID" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && { echo "$id"; return 0; }
  done
  return 1
}
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}
# on_screen TITLE MIN_WIDTH MIN_HEIGHT: the window lies wholly on the screen and is at least
# that large.
on_screen() {
  local x y w h
  read -r x y w h < <(geometry "$(window_of "$1")")
  echo "$1: ${w}x${h} at $x,$y"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1366 ] && [ $((y + h)) -le 768 ] ||
    fail "$1 (${w}x${h} at $x,$y) is not wholly on the 1366x768 screen"
  [ "$w" -ge "$2" ] && [ "$h" -ge "$3" ] || fail "$1 opens at only ${w}x${h}"
}
keys() {
  local key
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.3
  done
}

start_quorvel
wait_until 60 window_of Quorvel || fail "no main window"
main=$(window_of Quorvel)
activate_window "$main"
# Every card of the sample list: the longest names fit the grid's columns.
keys Return
sleep 1
on_screen Quorvel 800 450
xdotool mousemove 1360 760
screenshot "main-window-default"

keys alt+v c
wait_until 20 window_of Collection || fail "View > My Collection opened no window"
xdotool windowactivate --sync "$main" 2>/dev/null || true
keys alt+v l
wait_until 20 window_of "Transaction Log" || fail "View > Transaction Log opened no window"
sleep 1
on_screen Collection 500 350
on_screen "Transaction Log" 500 350
read -r cx _ cw _ < <(geometry "$(window_of Collection)")
read -r lx _ _ _ < <(geometry "$(window_of "Transaction Log")")
[ $((cx + cw)) -le "$lx" ] || fail "My Collection and the Transaction Log overlap"
for title in Collection "Transaction Log"; do
  xdotool windowactivate --sync "$(window_of "$title")" 2>/dev/null || true
done
sleep 0.5
screenshot "collection-and-log-default"

xdotool windowactivate --sync "$main" 2>/dev/null || true
keys alt+v t
wait_until 20 window_of "Trade List" || fail "View > Trading List opened no window"
sleep 1
on_screen "Trade List" 560 400
kill "$QUORVEL_PID"
