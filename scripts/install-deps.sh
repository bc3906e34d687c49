#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing need,
# and any named on the command line, when any is missing. Runs apt-get as
# root, or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libx11-dev libgl-dev libgl1-mesa-dri
  zlib1g-dev libpng-dev libjpeg-dev libogg-dev libvorbis-dev libfreetype-dev
  libcairo2-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool time
  clang libclang-rt-14-dev clang-format-14
  dpkg-dev lintian desktop-file-utils appstream
  g++-mingw-w64-x86-64-posix wine64 zip unzip
  emscripten nodejs chromium
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
