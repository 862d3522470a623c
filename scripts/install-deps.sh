#!/usr/bin/env bash
# Installs every Debian package Tavrel needs to build, run, test and benchmark,
# and the npm packages its map pages are built from.
# Safe to run again, and then quiet and offline: the package lists are only
# refreshed and the npm packages only installed when something is missing or
# the lock file has changed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config git
  clang-14 libclang-rt-14-dev clang-format-14
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libjpeg62-turbo-dev
  ffmpeg mediainfo libimage-exiftool-perl strace bc python3
  qt6-base-dev xvfb xauth fonts-noto-cjk fonts-liberation2
  libvlc5 vlc-plugin-base vlc-plugin-video-output libvlc-dev
  qt6-webengine-dev qt6-webchannel-dev
  locales
)
if ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A comma-decimal locale, so the tests can prove that numbers written for the
# map page and the KML files never follow the user's locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  "${sudo_cmd[@]}" sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen
fi

# The map library and the offline world map, exactly as the lock file names
# them; the stamp remembers which lock file the installed packages came from.
web=resources/web
stamp=$web/node_modules/.installed-from-lock
if [ ! -f "$stamp" ] || ! cmp -s "$web/package-lock.json" "$stamp"; then
  (cd "$web" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$web/package-lock.json" "$stamp"
fi
