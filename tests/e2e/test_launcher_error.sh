#!/usr/bin/env bash
# A start from the menu has no terminal: when the launcher cannot prepare the data folder, the
# reason appears in the program's own error box, and the launcher ends with status 1 once the
# box is closed.
set -euo pipefail
source "$E2E_LIB"

bin=$(mktemp -d /tmp/quorvel-launcher-XXXXXX)
trap 'rm -rf "$bin"' EXIT
cp "$QUORVEL_BINARY_DIR/dist/quorvel-launcher" "$bin/"
ln -s "$QUORVEL_BIN" "$bin/quorvel"
touch "$bin/not-a-folder"

XDG_DATA_HOME=$bin/not-a-folder "$bin/quorvel-launcher" >"$E2E_ARTIFACTS/launcher.log" 2>&1 &
launcher=$!
box=$(wait_for_window "Error" 30)
screenshot "launcher-error"
xdotool windowactivate --sync "$box" key Return
wait_until 20 bash -c "! kill -0 $launcher" || fail "the launcher did not end after its box closed"
status=0
wait "$launcher" || status=$?
[ "$status" -eq 1 ] || fail "the launcher ended with status $status, not 1"
assert_contains "$(cat "$E2E_ARTIFACTS/launcher.log")" "$bin/not-a-folder/quorvel" "the launcher's error"
echo "launcher error shown"
