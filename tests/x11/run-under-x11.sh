#!/usr/bin/env bash
# Runs a command on a private X server as a desktop session has it: Xvfb with
# one 1920x1080 screen, openbox as window manager and trayer as system tray.
# DISPLAY points at it, XDG_RUNTIME_DIR is a fresh folder (so no running
# Tintora is reached), and everything started here is stopped on exit.
#
#   tests/x11/run-under-x11.sh COMMAND [ARGUMENTS...]
set -euo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGUMENTS...]" >&2
  exit 2
fi

work=$(mktemp -d)
chmod 700 "$work"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Waits up to twenty seconds (a busy machine starts slowly) for a command to
# succeed.
wait_for() {
  local i
  for i in $(seq 400); do
    if "$@" >/dev/null 2>&1; then
      return 0
    fi
    sleep 0.05
  done
  echo "run-under-x11: gave up waiting for: $*" >&2
  return 1
}

# Xvfb picks a free display itself and writes its number once it accepts
# connections.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"
export XDG_RUNTIME_DIR="$work"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

trayer --edge bottom --align right --widthtype request --height 24 >"$work/trayer.log" 2>&1 &
pids+=($!)
wait_for xdotool search --classname trayer

status=0
"$@" || status=$?
exit $status
