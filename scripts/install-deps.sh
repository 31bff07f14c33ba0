#!/usr/bin/env bash
# Installs the Debian packages Tintora needs to build, run and test.
# Idempotent: only packages that dpkg reports missing are installed, and the
# package lists are refreshed once, right before the first install.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6
  liblcms2-dev libgs-common
  # desktop: global shortcuts on X11
  libxcb1-dev libxcb-keysyms1-dev
  # desktop tests: a real X server, window manager, tray, clipboard and input
  xvfb openbox trayer xdotool xclip x11-utils fonts-dejavu-core
  # portal tests: a private session bus
  dbus
  # local backend: server and database
  qt6-httpserver-dev qt6-websockets-dev libqt6sql6-psql postgresql postgresql-contrib
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo=(sudo -n)
else
  echo "install-deps: these packages are missing: ${missing[*]}" >&2
  echo "install-deps: run as root, or give this user password-less sudo, or install them yourself." >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
