#!/usr/bin/env bash
# Another program copies a trade line: Quorvel looks it up and shows its value report beside
# the mouse pointer, inside the screen also near the lower right corner.
set -euo pipefail
source "$E2E_LIB"

start_quorvel
window=$(wait_for_window "Quorvel")
[ -n "$window" ] || fail "no main window"

# popup_geometry: prints "X Y W H" of the visible value report, or fails.
popup_geometry() {
  local id
  id=$(xdotool search --onlyvisible --name '^Quorvel value report$' 2>/dev/null | head -n 1)
  [ -n "$id" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "$X $Y $WIDTH $HEIGHT"
}

xdotool mousemove 400 300
clip_set "WTS: 4x Wrath of God 3tix"
wait_until 10 popup_geometry || fail "no value report after an outside copy"
read -r x y w h < <(popup_geometry)
screenshot "report-beside-cursor"
[ "$x" -ge 405 ] && [ "$x" -le 415 ] || fail "report x $x is not 10 px right of the pointer"
[ "$y" -ge 305 ] && [ "$y" -le 315 ] || fail "report y $y is not 10 px below the pointer"
[ "$w" -gt 40 ] && [ "$h" -gt 40 ] || fail "report is too small to hold the text: ${w}x$h"

# The grid filled with the card: read it back through Select All and Copy.
activate_window "$window"
xdotool key Tab Tab Tab Tab ctrl+a ctrl+c
grid_copied() { clip_get | grep -q "Wrath of God"; }
wait_until 10 grid_copied || fail "the grid does not list the copied card: '$(clip_get)'"
assert_contains "$(clip_get)" "https://scryfall.com/card/7ed/57" "the copied grid"
# The grid's Copy is a copy like any other: it is looked up and reported too.
wait_until 10 popup_geometry || fail "the grid's Copy was not looked up"
read -r x y w h < <(popup_geometry)

# Near the lower right corner the report opens above and left of the pointer.
read -r sw sh < <(xdotool getdisplaygeometry)
px=$((sw - 5)) py=$((sh - 5))
xdotool mousemove "$px" "$py"
clip_set "Shock, Counterspell, Giant Growth"
# The first report is replaced by one at the new place.
moved() { read -r nx ny _ < <(popup_geometry) && [ "$nx" != "$x" ] && [ "$ny" != "$y" ]; }
wait_until 10 moved || fail "no new value report near the corner"
read -r x y w h < <(popup_geometry) || fail "no value report near the corner"
screenshot "report-near-corner"
[ $((x + w)) -le $((px - 9)) ] || fail "report right edge $((x + w)) not left of the pointer $px"
[ $((y + h)) -le $((py - 9)) ] || fail "report bottom edge $((y + h)) not above the pointer $py"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] || fail "report at $x,$y leaves the screen"

# A press in another program closes the report at once (it lives 10 s otherwise), although
# the report never had the focus it could lose.
xmessage -geometry 240x80+20+420 -title "Other program" "another program" &
other_pid=$!
other=$(wait_for_window "Other program")
xdotool mousemove 400 300
clip_set "Counterspell"
at_400() { read -r nx _ < <(popup_geometry) && [ "$nx" -lt 500 ]; }
wait_until 10 at_400 || fail "no value report for the last copy"
sleep 0.5
popup_geometry >/dev/null || fail "the report closed before the click"
xdotool mousemove --window "$other" 30 20 click 1
gone() { ! popup_geometry; }
wait_until 3 gone || fail "the value report stays open after a click in another program"
kill "$other_pid"

kill "$QUORVEL_PID"
