#!/usr/bin/env bash
# Installs every Debian package Tavrel needs to build, run, test and benchmark,
# and the npm packages its map pages are built from.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang-14 libclang-rt-14-dev clang-format-14
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libjpeg62-turbo-dev
  ffmpeg mediainfo libimage-exiftool-perl strace bc python3
  qt6-base-dev xvfb xauth fonts-noto-cjk fonts-liberation2
  libvlc5 vlc-plugin-base vlc-plugin-video-output libvlc-dev
  qt6-webengine-dev qt6-webchannel-dev
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
if ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${packages[@]}"

# The map library and the offline world map, exactly as the lock file names them.
(cd "$(dirname "$0")/../resources/web" && npm ci --no-audit --no-fund --loglevel=error)
