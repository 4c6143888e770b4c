#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need; only what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  zlib1g-dev libdeflate-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libqt6svg6 qt6-image-formats-plugins
  libgl-dev libxkbcommon-dev
  qt6-qpa-plugins
  clang-format
  clang libclang-rt-14-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth
  adwaita-icon-theme
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
