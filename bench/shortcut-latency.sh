#!/usr/bin/env bash
# Shortcut release to magnifier shown, on a private 1920x1080 Xvfb with openbox
# (the measuring setup of every desktop figure). Usage: bench/shortcut-latency.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
QT_QPA_PLATFORM=xcb "$here/../tests/x11/run-under-x11.sh" "$build/bin/tintora_shortcutbench"
