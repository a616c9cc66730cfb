#!/usr/bin/env bash
# Installs every Debian package that building, the content tools, the tests and the game need.
# Safe to run again: it installs only what is missing. Runs as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git python3 clang-format
  libsdl2-dev libsdl2-ttf-dev libsdl2-gfx-dev libx11-dev libxext-dev
  libpng-dev zlib1g-dev nlohmann-json3-dev librsvg2-dev librsvg2-common
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation
  xvfb xauth xfonts-base xdg-utils procps xdotool imagemagick
  groff jq
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
