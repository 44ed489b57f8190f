#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages Pinleaf needs to build, run and test.
# Idempotent: only missing packages are installed; sudo is used only when not root.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config clang-format
  # GUI framework and X11 (the key grabs talk to Xlib directly)
  qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev libxcb1-dev libxkbcommon-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # end-to-end tests under a virtual X server
  xvfb xauth xdotool x11-utils imagemagick openbox trayer
  # tests: a fake desktop portal (Python, dbus, GLib) on a private session bus
  dbus-daemon dbus-bin python3-dbus python3-gi
  # help file compiler (chmcmd)
  fp-utils
  # fonts so text renders under Xvfb
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
