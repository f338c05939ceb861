#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian 12 package that Vantix needs to build, run and test.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build ccache pkg-config clang libclang-rt-14-dev
  # Qt 6 widgets, multimedia and the platform plugins (offscreen, xcb)
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
  # the audience display's test plugs screens in and out of Qt's offscreen platform
  qt6-base-private-dev
  # picture decoding: JPEG through libjpeg, WMF through Magick++ (whose WMF
  # coder draws the standard metafile fonts with the URW base 35 fonts)
  libjpeg62-turbo-dev libmagick++-6.q16-dev libmagickcore-6.q16-6-extra fonts-urw-base35
  # CD audio
  libcdio-dev
  # the web server for follow displays and the phone remote, and the real
  # browser its checks run
  qt6-httpserver-dev qt6-websockets-dev chromium
  # the counter's font (metric twin of Arial Narrow) and the button font
  fonts-liberation
  # real-window checks and a private sound server for the playback tests
  xvfb xauth x11-apps xdotool pulseaudio imagemagick desktop-file-utils dpkg-dev
  # parec, to record what the private sound server plays (CD audio tests)
  pulseaudio-utils
  # the tournament file's MIME type: installed, and checked with the desktop's own tools
  shared-mime-info xdg-utils libglib2.0-bin
)

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
