# Helpers of the trading end-to-end scripts; source it after "$E2E_LIB".

# window_rect ID: "X Y WIDTH HEIGHT" of a window on the screen.
window_rect() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}

# check_boxes NAME WINDOW: screenshot NAME, then the centres of the check boxes drawn inside
# WINDOW, one "x y" per line, row by row and left to right.
check_boxes() {
  screenshot "$1"
  # shellcheck disable=SC2046
  python3 "$QUORVEL_SOURCE_DIR/tests/e2e/find_check_boxes.py" "$E2E_ARTIFACTS/$1.png" \
    $(window_rect "$2")
}

# click_at X Y
click_at() {
  xdotool mousemove --sync "$1" "$2" click 1
  sleep 0.2
}

# activate ID
activate() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
  sleep 0.2
}

# search_and_tick MAIN NAME: types NAME into the search box (which has the focus), then ticks
# the first row's name and "Reg Value" boxes, and presses "Put into list".
search_and_tick() {
  xdotool type --delay 30 "$2"
  xdotool key Return
  sleep 0.8
  local boxes
  boxes=$(check_boxes "found-$2" "$1")
  [ "$(echo "$boxes" | grep -c .)" -ge 3 ] || fail "no check boxes in the main grid: '$boxes'"
  # First row: "Cards Name", "Reg Value", "Foil Value".
  click_at $(echo "$boxes" | sed -n 1p)
  click_at $(echo "$boxes" | sed -n 2p)
  screenshot "ticked-$2"
  # The grid has the focus; "Put into list" comes just before it.
  xdotool key shift+Tab space
}
