#!/usr/bin/env bash
# Usage: xsession.sh SCRIPT
# Runs SCRIPT inside a fresh virtual X session: Xvfb on a free display, the openbox window
# manager (without one, window activation times out), and with E2E_TRAY=1 a tray host
# (trayer; or a line "# e2e: tray" in SCRIPT). SCRIPT gets DISPLAY, E2E_WORKDIR (a temporary working directory holding the sample
# databases and filter.ini), E2E_ARTIFACTS (where screenshots go) and the program paths, and
# can source lib.sh for its helpers. Settings go to a private XDG_CONFIG_HOME.
set -euo pipefail

script=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
name=$(basename "$script" .sh)
name=${name#test_}

export E2E_NAME=$name
export E2E_ARTIFACTS=${E2E_ARTIFACTS_ROOT:-/tmp/quorvel-e2e}/$name
rm -rf "$E2E_ARTIFACTS"
mkdir -p "$E2E_ARTIFACTS"
export E2E_WORKDIR
E2E_WORKDIR=$(mktemp -d /tmp/quorvel-e2e-XXXXXX)
export XDG_CONFIG_HOME=$E2E_WORKDIR/.config
export XDG_RUNTIME_DIR=$E2E_WORKDIR/.runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
# A returning user: the first start's welcome bar (tested by the widget tests) would move the
# controls these scripts find by place and turn on the Best Match First it recommends.
mkdir -p "$XDG_CONFIG_HOME/ZUMI Tamrik's Quorvel"
printf '[Options]\nWelcomeShown=true\n' > "$XDG_CONFIG_HOME/ZUMI Tamrik's Quorvel/Quorvel.conf"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

pids=()
cleanup() {
  local status=$?
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  rm -rf "$E2E_WORKDIR"
  exit $status
}
trap cleanup EXIT

# A script may ask for another screen size with a line "# e2e: screen WIDTHxHEIGHT".
screen=$(sed -n 's/^# e2e: screen \([0-9]*x[0-9]*\)$/\1/p' "$script" | head -n 1)
# Xvfb picks a free display itself and writes its number to the given descriptor, so two
# sessions started at the same moment never race for one display.
Xvfb -displayfd 3 -screen 0 "${screen:-1280x800}x24" -nolisten tcp 3>"$E2E_WORKDIR/.display" \
  >"$E2E_ARTIFACTS/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do
  [ -s "$E2E_WORKDIR/.display" ] && break
  sleep 0.05
done
[ -s "$E2E_WORKDIR/.display" ] || { echo "xsession: Xvfb did not start"; cat "$E2E_ARTIFACTS/xvfb.log"; exit 1; }
export DISPLAY=:$(tr -d '[:space:]' <"$E2E_WORKDIR/.display")
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "xsession: Xvfb did not answer on $DISPLAY"; cat "$E2E_ARTIFACTS/xvfb.log"; exit 1; }

# On a loaded machine the window manager now and then fails to connect at its first try; a
# session without one would only fail later, obscurely, so it is started again, and a session
# that cannot get one ends here with the reason.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for attempt in 1 2 3; do
  openbox --sm-disable >>"$E2E_ARTIFACTS/openbox.log" 2>&1 &
  wm=$!
  pids+=($wm)
  for _ in $(seq 100); do
    wm_ready && break
    kill -0 "$wm" 2>/dev/null || break
    sleep 0.1
  done
  wm_ready && break
  kill "$wm" 2>/dev/null || true
  echo "xsession: openbox did not start (attempt $attempt)" >>"$E2E_ARTIFACTS/openbox.log"
  sleep 1
done
wm_ready || { echo "xsession: no window manager on $DISPLAY"; cat "$E2E_ARTIFACTS/openbox.log"; exit 1; }

# A script asks for a tray host with E2E_TRAY=1 in its environment or a "# e2e: tray" line.
if [ "${E2E_TRAY:-0}" = 1 ] || grep -q '^# e2e: tray' "$script"; then
  trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
    >"$E2E_ARTIFACTS/trayer.log" 2>&1 &
  pids+=($!)
  # The tray is ready once trayer's panel window exists (it takes the tray selection first).
  for _ in $(seq 100); do
    xdotool search --class trayer >/dev/null 2>&1 && break
    sleep 0.1
  done
fi

if [ -n "${MAKEDB_BIN:-}" ]; then
  "$MAKEDB_BIN" --out "$E2E_WORKDIR" >"$E2E_ARTIFACTS/makedb.log" 2>&1
fi
if [ -f "$QUORVEL_SOURCE_DIR/data/filter.ini" ]; then
  cp "$QUORVEL_SOURCE_DIR/data/filter.ini" "$E2E_WORKDIR/"
fi

export E2E_LIB=$here/lib.sh
cd "$E2E_WORKDIR"
bash "$script"
