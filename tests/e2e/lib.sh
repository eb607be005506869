# Helpers for end-to-end scripts; source "$E2E_LIB" at the top of a test_*.sh.
# Every wait has a limit, and a failed check ends the script with a message.

fail() {
  echo "FAIL: $*" >&2
  screenshot "failure" || true
  exit 1
}

# start_quorvel: starts the program in the working directory; sets QUORVEL_PID.
start_quorvel() {
  (cd "$E2E_WORKDIR" && exec "$QUORVEL_BIN" "$@") >"$E2E_ARTIFACTS/quorvel.log" 2>&1 &
  QUORVEL_PID=$!
}

# wait_for_window TITLE [SECONDS]: prints the id of the first visible window titled exactly TITLE.
wait_for_window() {
  local title=$1 limit=${2:-20} id
  for _ in $(seq $((limit * 10))); do
    # Finding nothing is the usual answer until the window is up; it must not end a caller that
    # runs with errexit and pipefail.
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no window titled '$title' within ${limit}s"
}

# activate_window ID: gives the window the focus, directly where the window manager refuses to
# activate it.
activate_window() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
}

# open_main_window [ARGS...]: starts the program and gives its main window the focus once it
# shows; sets QUORVEL_PID and MAIN_WINDOW.
open_main_window() {
  start_quorvel "$@"
  MAIN_WINDOW=$(wait_for_window "Quorvel")
  activate_window "$MAIN_WINDOW"
}

# wait_until SECONDS COMMAND...: retries COMMAND every 0.1 s until it succeeds.
wait_until() {
  local limit=$1
  shift
  for _ in $(seq $((limit * 10))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# screenshot NAME: the whole screen as $E2E_ARTIFACTS/NAME.png.
screenshot() {
  import -display "$DISPLAY" -window root "$E2E_ARTIFACTS/$1.png" 2>/dev/null
}

# clip_set TEXT: another program (xclip) takes the clipboard with TEXT.
clip_set() {
  printf '%s' "$1" | xclip -selection clipboard -i
}

# clip_get: prints the clipboard's text.
clip_get() {
  xclip -selection clipboard -o 2>/dev/null
}

# assert_contains HAYSTACK NEEDLE [WHAT]
assert_contains() {
  case "$1" in
    *"$2"*) ;;
    *) fail "${3:-text} does not contain '$2': $1" ;;
  esac
}

# assert_not_contains HAYSTACK NEEDLE [WHAT]
assert_not_contains() {
  case "$1" in
    *"$2"*) fail "${3:-text} contains '$2': $1" ;;
    *) ;;
  esac
}
