#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that Vantix needs to build and run; with
# --test also those its test suite, fuzzers and package checks need.
# Safe to run again: what is already there is skipped.
# Usage: setup-debian.sh [--test]
set -euo pipefail

with_tests=false
case "${1:-}" in
  "") ;;
  --test) with_tests=true ;;
  *) echo "usage: setup-debian.sh [--test]" >&2; exit 2 ;;
esac

# To build the program and run it.
packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config
  # Qt 6 widgets, multimedia and the platform plugins (xcb, offscreen)
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
  # picture decoding: JPEG through libjpeg, WMF through Magick++ (whose WMF
  # coder draws the standard metafile fonts with the URW base 35 fonts)
  libjpeg62-turbo-dev libmagick++-6.q16-dev libmagickcore-6.q16-6-extra fonts-urw-base35
  # CD audio
  libcdio-dev
  # the web server for follow displays and the phone remote
  qt6-httpserver-dev qt6-websockets-dev
  # the QR codes of the follow page and the remote on the options page "Network"
  libqrencode-dev
  # the counter's font (metric twin of Arial Narrow) and the button font
  fonts-liberation
)

# To test: the compiler cache, clang for the fuzzers and sanitizers, and
# what the checks run.
test_packages=(
  ccache clang libclang-rt-14-dev
  # the audience display's test plugs screens in and out of Qt's offscreen platform
  qt6-base-private-dev
  # the real browser the web server's checks run
  chromium
  # real-window checks and a private sound server for the playback tests
  xvfb xauth x11-apps x11-utils xdotool pulseaudio imagemagick desktop-file-utils
  # parec, to record what the private sound server plays (CD audio tests)
  pulseaudio-utils
  # the .deb: CPack's dependency scan, and the checks of the package
  dpkg-dev file lintian devscripts
  # a QR reader, for the check that a phone reads the Network page's codes
  zbar-tools
  # the tournament file's MIME type, checked with the desktop's own tools
  shared-mime-info xdg-utils libglib2.0-bin
)
if $with_tests; then packages+=("${test_packages[@]}"); fi

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup-debian: all packages present"
  exit 0
fi

echo "setup-debian: installing ${missing[*]}"
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
