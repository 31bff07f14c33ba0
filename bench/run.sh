#!/usr/bin/env bash
# Runs Tintora's benchmarks against a build folder (default: build).
set -euo pipefail
build=${1:-build}
"$build/bin/tintora_corebench"
# Sign-in against a fresh local backend (starts and stops its own cluster).
"$build/bin/tintora_backendbench"
# Shortcut release to magnifier shown, on a private X server.
"$(dirname "$0")/shortcut-latency.sh" "$build"
# Desktop app start-up and memory, on a private X server.
"$(dirname "$0")/desktop-startup.sh" "$build"
