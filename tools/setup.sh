#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Orvane.
# Only packages that are missing are asked for, so a second run costs nothing.
set -euo pipefail
pkgs=(
  build-essential
  cmake
  pkg-config
  qt6-base-dev
  qt6-base-dev-tools
  libgl-dev
  libx11-dev
  libxtst-dev
  libxext-dev
  libxi-dev
  libsdl2-dev
  libsndfile1-dev
  libcdio-dev
  libcdio-paranoia-dev
  libcdio-cdda-dev
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  xvfb
  xauth
  xdotool
  x11-utils
  imagemagick
  openbox
  xclip
  xterm
  clang
  fonts-dejavu-core
  fonts-liberation
  x11-apps
  trayer
  clang-format
  file
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
