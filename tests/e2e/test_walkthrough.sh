#!/usr/bin/env bash
# e2e: tray
# The whole program as a trader uses it, on the real binary in a working directory with the
# sample databases, under a window manager and a tray host. Everything is observed through the
# program's own surfaces: window titles and geometry, what its grids put on the clipboard
# (Copy), the clipboard itself, and the database files (sqlite3). Screenshots of the main steps
# are kept in $E2E_ARTIFACTS.
set -euo pipefail
source "$E2E_LIB"

locator=$QUORVEL_SOURCE_DIR/tests/e2e/locate.py
trade_line="WTS: 4x Wrath of God, 2x Fact or Fiction 3tix"
step() { echo "--- $*"; }

# ---- helpers -----------------------------------------------------------------------------

# windows_of PID [TITLE]: the visible windows of a process, titled exactly TITLE if given.
windows_of() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    if [ $# -lt 2 ] || [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$2" ]; then
      echo "$id"
    fi
  done
}

# main_window: the id of the running program's main window (its message boxes share the title,
# so the widest visible "Quorvel" window of the program's process is taken).
main_window() {
  local id best="" widest=0
  for id in $(windows_of "$QUORVEL_PID" Quorvel); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
    if [ "$WIDTH" -gt 200 ] && [ "$WIDTH" -gt "$widest" ]; then
      best=$id widest=$WIDTH
    fi
  done
  [ -n "$best" ] && echo "$best"
}

# window_titled TITLE: the id of the program's visible window titled exactly TITLE.
window_titled() {
  windows_of "$QUORVEL_PID" "$1" | sed -n 1p | grep .
}

# wait_window TITLE [SECONDS]: waits for window_titled and prints its id.
wait_window() {
  wait_until "${2:-20}" window_titled "$1" || fail "no window titled '$1'"
  window_titled "$1"
}

wait_main() {
  wait_until "${1:-30}" main_window || fail "the main window is not shown"
  main_window
}

popup_shown() { xdotool search --onlyvisible --name '^Quorvel value report$' >/dev/null 2>&1; }
popup_gone() { ! popup_shown; }

# geometry ID: "X Y WIDTH HEIGHT" of a window.
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}

activate() {
  timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  sleep 0.4
}

# keys KEY...: key presses to the active window, with time for a loaded machine to answer.
keys() {
  local key
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.25
  done
}

type_text() {
  xdotool type --delay 40 "$1"
  sleep 0.3
}

# click X Y: a left click; the pointer is then parked in the lower right corner, so that a value
# report (it opens beside the pointer) never covers a window.
click() {
  xdotool mousemove "$1" "$2" click 1
  sleep 0.3
  park
}
park() {
  xdotool mousemove 1200 780
  sleep 0.2
}

# locate MODE ID: runs the screen locator over the window's rectangle.
locate() {
  local x y w h
  read -r x y w h < <(geometry "$2")
  import -display "$DISPLAY" -window root -depth 8 "ppm:$E2E_WORKDIR/.screen.ppm" 2>/dev/null
  python3 "$locator" "$1" "$E2E_WORKDIR/.screen.ppm" "$x" "$y" "$((x + w))" "$((y + h))"
}

# box_rows ID [BOXES]: the grid rows of a window that show BOXES (by default 3) empty check
# boxes (the name's, then the two values'): "Y NAME_X FIRST_VALUE_X SECOND_VALUE_X" per row,
# top to bottom.
box_rows() {
  locate checkboxes "$1" | awk -v fields="$((${2:-3} + 1))" 'NF == fields'
}

row_count() { box_rows "$1" "${2:-3}" | wc -l; }

# wait_rows ID COUNT [SECONDS [BOXES]]: waits until the window's grid shows COUNT such rows.
wait_rows() {
  local _
  for _ in $(seq "${3:-20}"); do
    [ "$(row_count "$1" "${4:-3}")" -eq "$2" ] && return 0
    sleep 1
  done
  fail "the grid of window $1 does not show $2 rows: $(locate checkboxes "$1" | tr '\n' ';')"
}

# focus_search ID: clicks into the main window's search box and empties it.
focus_search() {
  local fx fy
  activate "$1"
  read -r fx fy < <(locate field "$1") || fail "no search box in the main window"
  click "$fx" "$fy"
  keys ctrl+a BackSpace
}

# search ID TEXT: a typed search.
search() {
  focus_search "$1"
  type_text "$2"
  keys Return
  sleep 1
}

# copy_grid_at X Y: clicks a cell of a grid (giving it the focus), selects every row and copies;
# prints what the grid put on the clipboard. The program looks its own copy up like any other.
copy_grid_at() {
  local before
  before=$(clip_get || true)
  click "$1" "$2"
  keys ctrl+a ctrl+c
  wait_until 5 bash -c "[ \"\$(xclip -selection clipboard -o 2>/dev/null)\" != \"\$1\" ]" _ "$before" || true
  sleep 0.5
  clip_get
}

# copy_first_row_grid ID: copies the grid of a window by clicking beside the name box of its
# first row.
copy_first_row_grid() {
  local y name_x rest
  read -r y name_x rest < <(box_rows "$1" | sed -n 1p) || fail "no grid row in window $1"
  copy_grid_at "$((name_x + 40))" "$y"
}

# ---- start ---------------------------------------------------------------------------------

step "start: the main window and the tray icon appear"
start_quorvel
main=$(wait_main 60)
# tray_icon: "X Y" of the centre of the program's icon inside the tray host's panel.
tray_icon() {
  local tree
  # Read whole first: awk stops at the icon, which must not make a pipe fail under pipefail.
  tree=$(xwininfo -root -tree 2>/dev/null) || return 1
  awk '
    function indent(line) { match(line, /^ */); return RLENGTH }
    /"panel": \("panel" "trayer"\)/ { depth = indent($0); next }
    depth && /0x/ && indent($0) <= depth { depth = 0 }
    depth && /"Quorvel"/ {
      split($NF, at, "+"); split($(NF-1), size, "[x+]")
      printf "%d %d\n", at[2] + size[1] / 2, at[3] + size[2] / 2; found = 1; exit
    }
    END { exit !found }' <<<"$tree"
}
wait_until 30 tray_icon || { xwininfo -root -tree >"$E2E_ARTIFACTS/windows.txt"; fail "no tray icon in the tray host"; }
read -r tray_x tray_y < <(tray_icon)
screenshot "01-started"

step "a second start says 'Quorvel already running...' and ends"
(cd "$E2E_WORKDIR" && exec "$QUORVEL_BIN") >"$E2E_ARTIFACTS/second-start.log" 2>&1 &
second=$!
second_box() { windows_of "$second" | sed -n 1p | grep .; }
wait_until 30 second_box || fail "the second start showed no message"
box=$(second_box)
screenshot "02-already-running"
# The message is the only window of the second copy: it has no main window of its own.
[ "$(windows_of "$second" | wc -l)" -eq 1 ] ||
  fail "the second start shows more than its message"
activate "$box"
keys Return
wait_until 20 bash -c "! kill -0 $second 2>/dev/null" || fail "the second copy did not end"
wait "$second" || fail "the second copy ended with an error"
kill -0 "$QUORVEL_PID" || fail "the first copy ended too"

step "another program copies a line of trade chat: the report and the grid show its cards"
# The pointer away from the window, so the report opens beside it without covering the grid.
park
clip_set "$trade_line"
wait_until 20 popup_shown || fail "no value report after an outside copy"
wait_rows "$main" 2
screenshot "03-lookup-report"
copied=$(copy_first_row_grid "$main")
assert_contains "$copied" "Wrath of God" "the grid"
assert_contains "$copied" "Fact or Fiction" "the grid"
[ "$(grep -c . <<<"$copied")" -eq 2 ] || fail "the grid lists more than the two cards: $copied"

# ---- trading -------------------------------------------------------------------------------
step "tick two cards and Put into list"
# The copy above was looked up too; the same line copied again lists the two cards again.
clip_set "$trade_line"
wait_rows "$main" 2
while read -r y name_x reg_x _; do
  click "$name_x" "$y"
  click "$reg_x" "$y"
done < <(box_rows "$main")
screenshot "04-ticked"
# Tab from the search box: Search, Correct Price, Put into list.
activate "$main"
read -r fx fy < <(locate field "$main") || fail "no search box in the main window"
click "$fx" "$fy"
keys Tab Tab Tab space
trade=$(wait_window "Trade List")
# The window opens at its template size; widened as a user would, every column's check box
# is in view whatever widths the names need.
xdotool windowsize "$trade" 760 360
sleep 0.5
wait_rows "$trade" 2
listed=$(copy_first_row_grid "$trade")
screenshot "05-trade-list"
assert_contains "$listed" "$(printf '1\tWrath of God\t7ED\t1.3\t1.3')" "the trade list"
assert_contains "$listed" "$(printf '1\tFact or Fiction\tINV\t0.51\t0.51')" "the trade list"

step "edit a quantity: three Wrath of God"
line=$(grep -n 'Wrath of God' <<<"$listed" | cut -d: -f1)
read -r y name_x _ < <(box_rows "$trade" | sed -n "${line}p") || fail "no trade list row $line"
click "$((name_x + 40))" "$y"
keys Left F2 ctrl+a
type_text "3"
keys Return
listed=$(copy_first_row_grid "$trade")
assert_contains "$listed" "$(printf '3\tWrath of God\t7ED\t1.3\t1.3')" "the trade list after the edit"
assert_contains "$listed" "$(printf '1\tFact or Fiction\tINV\t0.51\t0.51')" "the trade list after the edit"

step "Advertise (trade post): the clipboard holds the advertisement and no lookup followed"
# Both lines are offered for sale: their "Sell Value" boxes.
while read -r y _ _ sell_x; do
  click "$sell_x" "$y"
done < <(box_rows "$trade")
wait_until 20 popup_gone || fail "the value report of the last copy did not close"
activate "$trade"
keys alt+a
question=$(wait_window "Question")
activate "$question"
keys alt+n
information=$(wait_window "Information")
screenshot "06-advertised"
activate "$information"
keys Return
advert=$(clip_get)
echo "$advert" >"$E2E_ARTIFACTS/advertisement.txt"
assert_contains "$advert" "{t}Selling{t}" "the advertisement"
assert_contains "$advert" "3xWrath of God" "the advertisement"
assert_contains "$advert" "Fact or Fiction" "the advertisement"
assert_not_contains "$advert" "{t}Buying{t}" "the advertisement"
sleep 3
popup_gone || fail "the program looked up its own advertisement"

step "save the list as a .ryn file, Remove All, load it back"
# "&Save" shares its letter with "&Sold": Alt+S only gives the focus to Sold, and Save is four
# Tab presses after it (Remove, Remove All, Load, Save).
activate "$trade"
keys alt+s Tab Tab Tab Tab space
dialog=$(wait_window "Save Trade List")
activate "$dialog"
type_text "$E2E_WORKDIR/walkthrough"
keys Return
wait_until 20 test -s "$E2E_WORKDIR/walkthrough.ryn" || fail "no walkthrough.ryn was written"
# A header and one record per line of the list.
[ "$(stat -c %s "$E2E_WORKDIR/walkthrough.ryn")" -eq $((112 + 2 * 288)) ] ||
  fail "walkthrough.ryn holds $(stat -c %s "$E2E_WORKDIR/walkthrough.ryn") bytes, not two cards"
activate "$trade"
keys alt+e
wait_rows "$trade" 0
screenshot "07-removed-all"
activate "$trade"
keys alt+l
dialog=$(wait_window "Open Trade List")
activate "$dialog"
type_text "$E2E_WORKDIR/walkthrough.ryn"
keys Return
# The Sell Value ticks came back from the file: only two boxes of each row are empty.
wait_rows "$trade" 2 20 2
read -r y name_x _ < <(box_rows "$trade" 2 | sed -n 1p)
loaded=$(copy_grid_at "$((name_x + 40))" "$y")
screenshot "08-loaded"
[ "$loaded" = "$listed" ] || fail "the loaded list differs from the saved one: '$loaded' vs '$listed'"

step "Bought: My Collection and Transaction Log show the deal"
activate "$trade"
keys alt+b
question=$(wait_window "Question")
activate "$question"
keys alt+y
price=$(wait_window "Input price")
activate "$price"
keys ctrl+a
type_text "5"
keys Tab
type_text "walkthrough deal"
keys Return
information=$(wait_window "Information")
activate "$information"
keys Return
deal=$(sqlite3 "$E2E_WORKDIR/collection.mdb" "SELECT in_or_out, price = 5, comments FROM trans_detail;")
[ "$deal" = "0|1|walkthrough deal" ] || fail "the collection database holds the deals '$deal'"
owned=$(sqlite3 "$E2E_WORKDIR/collection.mdb" "SELECT no_owned FROM collections ORDER BY no_owned;" | tr '\n' ' ')
[ "$owned" = "1 3 " ] || fail "the owned counts are '$owned', not 1 and 3"
[ "$(sqlite3 "$E2E_WORKDIR/collection.mdb" "SELECT COUNT(*) FROM history;")" = 2 ] ||
  fail "the deal does not hold one history line per trade list line"

# window_grid_text ID: the grid of a window that fills most of it, through Select All and Copy.
window_grid_text() {
  local x y w h
  activate "$1"
  read -r x y w h < <(geometry "$1")
  copy_grid_at "$((x + w / 3))" "$((y + h / 3))"
}
activate "$main"
keys alt+v c
collection=$(wait_window "Collection")
owned_text=$(window_grid_text "$collection" | tr '\t' ' ')
screenshot "09-collection"
assert_contains "$owned_text" "3 Wrath of God 7ED" "My Collection"
assert_contains "$owned_text" "1 Fact or Fiction INV" "My Collection"
activate "$main"
keys alt+v l
log=$(wait_window "Transaction Log")
log_text=$(window_grid_text "$log")
screenshot "09-transaction-log"
assert_contains "$log_text" "Bought:" "the Transaction Log"
assert_contains "$log_text" "3xWrath of God" "the Transaction Log"
assert_contains "$log_text" "7ED" "the Transaction Log"
assert_contains "$log_text" "walkthrough deal" "the Transaction Log"

# ---- price correction ------------------------------------------------------------------------

step "correct a price: Fact or Fiction's regular value becomes 7.5"
search "$main" "Fact or Fiction"
wait_rows "$main" 1
read -r y name_x reg_x _ < <(box_rows "$main" | sed -n 1p) || fail "no card row"
# A click on the value beside its box gives the cell the focus; F2 edits it.
click "$((reg_x + 30))" "$y"
keys F2 ctrl+a
type_text "7.5"
keys Return
click "$name_x" "$y"
# Tab from the search box: Search, then Correct Price.
activate "$main"
read -r fx fy < <(locate field "$main") || fail "no search box in the main window"
click "$fx" "$fy"
keys Tab Tab space
question=$(wait_window "Caution")
screenshot "10-correct-price"
activate "$question"
keys alt+y
done_box=$(wait_window "Warning")
activate "$done_box"
keys Return
stored=$(sqlite3 "$E2E_WORKDIR/mtgo.mdb" "SELECT reg_value, manual_modify FROM cardslist WHERE name = 'Fact or Fiction';")
[ "$stored" = "7.5|1" ] || fail "the price database holds '$stored' for Fact or Fiction, not 7.5 set by hand"

# ---- hide, tray, options, exit -------------------------------------------------------------

step "closing the window hides it; the tray's Show Window brings it back"
activate "$main"
keys alt+F4
wait_until 10 bash -c "! xwininfo -id $main 2>/dev/null | grep -q IsViewable" || fail "the main window did not hide"
kill -0 "$QUORVEL_PID" || fail "closing the window ended the program"
screenshot "11-hidden"
xdotool mousemove "$tray_x" "$tray_y" click 3
sleep 1
screenshot "12-tray-menu"
keys s
main=$(wait_main 20)
park

step "options away from their start values, the window moved"
search "$main" "wog"
wait_rows "$main" 1
assert_contains "$(copy_first_row_grid "$main")" "Wrath of God" "the grid after typing 'wog'"
activate "$main"
keys alt+o u
search "$main" "wog"
sleep 1
[ "$(row_count "$main")" -eq 0 ] || fail "'wog' still finds cards with the word filters off"
search "$main" "Counterspwll"
sleep 1
[ "$(row_count "$main")" -eq 0 ] || fail "a misspelt name finds cards at the normal match level"
activate "$main"
keys alt+o m
search "$main" "Counterspwll"
wait_rows "$main" 1
assert_contains "$(copy_first_row_grid "$main")" "Counterspell" "the grid at the low match level"
activate "$main"
keys alt+o t
main=$(wait_main 20)
wait_until 10 bash -c "xprop -id $main _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" ||
  fail "Topmost Window did not keep the window above others"
activate "$main"
keys alt+o c
wait_until 15 popup_gone || fail "the value report did not close"
clip_set "Shivan Dragon"
sleep 3
popup_gone || fail "an outside copy was looked up with the clipboard monitor off"
xdotool windowmove "$main" 140 90
sleep 1
read -r left top width height < <(geometry "$main")
screenshot "13-before-exit"

step "Exit"
activate "$main"
keys alt+f e
wait_until 30 bash -c "! kill -0 $QUORVEL_PID 2>/dev/null" || fail "Exit did not end the program"
wait "$QUORVEL_PID" || fail "the program ended with an error"

step "start again: the window where it was left, the options at their start values, the corrected price kept"
start_quorvel
main=$(wait_main 60)
wait_until 30 tray_icon || { xwininfo -root -tree >"$E2E_ARTIFACTS/windows.txt"; fail "no tray icon after the restart"; }
read -r tray_x tray_y < <(tray_icon)
screenshot "14-restarted"
[ "$(geometry "$main")" = "$left $top $width $height" ] ||
  fail "the window opened at $(geometry "$main"), not where it was left ($left $top $width $height)"
if xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; then
  fail "the window is kept on top after a restart"
fi
park
clip_set "WTS wog 2tix"
wait_until 20 popup_shown || fail "an outside copy is not looked up after a restart"
wait_rows "$main" 1
assert_contains "$(copy_first_row_grid "$main")" "Wrath of God" "the grid after copying 'wog'"
search "$main" "Counterspwll"
sleep 1
[ "$(row_count "$main")" -eq 0 ] || fail "the low match level survived the restart"
search "$main" "Fact or Fiction"
wait_rows "$main" 1
assert_contains "$(copy_first_row_grid "$main")" "7.5" "the corrected price after a restart"
screenshot "15-corrected-price-kept"

step "Exit from the tray menu"
xdotool mousemove "$tray_x" "$tray_y" click 3
sleep 1
keys e
wait_until 30 bash -c "! kill -0 $QUORVEL_PID 2>/dev/null" || fail "the tray's Exit did not end the program"
echo "walkthrough complete"
