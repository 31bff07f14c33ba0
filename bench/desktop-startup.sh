#!/usr/bin/env bash
# Start-up time and memory of the desktop app, measured as bench-method.md
# says: Xvfb 1920x1080x24 with openbox, a fresh empty HOME and XDG_CONFIG_HOME
# per run, launch until a visible window of the process exists (polled every
# 10 ms with xdotool), VmRSS 1.5 s after that, five runs, medians. Each run
# also gets a fresh XDG_RUNTIME_DIR on tmpfs, as a desktop session has it
# (/run/user/UID), so no running Tintora is reached.
#
#   bench/desktop-startup.sh [BUILD_DIR]
set -euo pipefail

build=${1:-build}
app=$(realpath "$build/bin/tintora")
runs=5

work=$(mktemp -d)
runtime_base=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work" "$runtime_base"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.05; done

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Context switches of every thread of a process so far.
switches() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ { s += $2 } END { print s }'; }

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

startups=()
memories=()
for run in $(seq "$runs"); do
  home="$work/home$run"
  runtime="$runtime_base/run$run"
  mkdir -p "$home/.config" "$runtime"
  chmod 700 "$runtime"
  start=$(now_ms)
  HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$runtime" "$app" >"$work/app$run.log" 2>&1 &
  pid=$!
  until [ -n "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null)" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "desktop-startup: tintora ended before showing a window:" >&2
      cat "$work/app$run.log" >&2
      exit 1
    fi
    sleep 0.01
  done
  elapsed=$(( $(now_ms) - start ))
  sleep 1.5
  rss_kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  if [ "$run" -eq "$runs" ]; then
    # Idle: nothing may wake the process while nobody uses it.
    before=$(switches "$pid")
    sleep 5
    idle_wakeups=$(( $(switches "$pid") - before ))
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  startups+=("$elapsed")
  memories+=("$rss_kb")
  echo "run $run: first window $elapsed ms, resident $(awk -v kb="$rss_kb" 'BEGIN { printf "%.1f", kb / 1024 }') MB"
done

startup=$(printf '%s\n' "${startups[@]}" | median)
rss_mb=$(printf '%s\n' "${memories[@]}" | median | awk '{ printf "%.1f", $1 / 1024 }')

echo
printf '%-30s %12s %12s\n' "" "first window" "resident"
printf '%-30s %9s ms %9s MB\n' "Tintora (median of $runs)" "$startup" "$rss_mb"
printf '%-30s %9s ms %9s MB\n' "gpick (published median)" 227 42
printf '%-30s %9s ms %9s MB\n' "KColorChooser (published)" 270 91
echo "Wake-ups in 5 s of idling after start-up: $idle_wakeups"
echo "Goals: first window at most 113 ms (half of gpick's), resident at most 60 MB."
