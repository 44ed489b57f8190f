#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages Pinleaf needs.
#   install-deps.sh run    what building and running need (`make run`)
#   install-deps.sh test   that plus what the tests and benchmarks need (`make test`)
# Idempotent: only missing packages are installed; sudo is used only when not root.
set -euo pipefail

run_packages=(
  # build
  build-essential cmake ninja-build pkg-config
  # GUI framework and X11 (the key grabs talk to Xlib directly)
  qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev libxext-dev libxcb1-dev libxkbcommon-dev
  # the help and the web links open through xdg-open
  xdg-utils
  # fonts so text renders on a bare machine
  fonts-dejavu-core
  # translations: lupdate/lrelease build the .qm files; Qt's own texts (standard buttons)
  qt6-l10n-tools qt6-translations-l10n
)
test_packages=(
  clang-format
  # tests and benchmarks
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # end-to-end tests under a virtual X server
  xvfb xauth xdotool x11-utils imagemagick openbox trayer
  # reading menu and box texts off the screen (the German scenario)
  tesseract-ocr tesseract-ocr-deu
  # help file compiler (chmcmd): without it the build skips Help.chm
  fp-utils
  # validators of the installed launcher and AppStream file, and of the Debian package
  desktop-file-utils appstream lintian
  # a private session bus with a fake StatusNotifier host and a fake desktop portal
  dbus-daemon dbus-bin python3-dbus python3-gi libglib2.0-bin
  # KDE's global shortcut service (kglobalaccel5)
  libkf5globalaccel-bin
  # the window managers of the desktop matrix (GNOME's, KDE's, Xfce's with its panel)
  mutter kwin-x11 xfwm4 xfce4-panel
  # two machines sharing the data folder through a real sync tool
  syncthing
)

case "${1:-test}" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

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
