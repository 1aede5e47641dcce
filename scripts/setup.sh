#!/usr/bin/env bash
# Installs the Debian packages that Tobrisk needs to build, run and test, and any named as
# arguments, when any is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libcanberra-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth clang libclang-rt-14-dev clang-format
  fp-utils
  openbox xdotool wmctrl x11-utils python3
  fonts-dejavu-core fonts-dejavu-extra fonts-wine fonts-dseg fonts-liberation2 fonts-comic-neue
  imagemagick
  faketime
)
packages+=("$@")  # extra packages a caller needs (scripts/package.sh: the packaging tools)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
