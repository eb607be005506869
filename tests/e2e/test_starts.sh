#!/usr/bin/env bash
# The real program starts in a working directory with the sample data and shows its window.
set -euo pipefail
source "$E2E_LIB"

start_quorvel
window=$(wait_for_window "Quorvel")
[ -n "$window" ] || fail "no main window"
screenshot "started"
kill "$QUORVEL_PID"
