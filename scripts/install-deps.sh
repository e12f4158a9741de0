#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Safe to run again; only missing packages are fetched.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev clang-format
  qt6-base-dev libxkbcommon-dev libgl-dev libegl-dev libepoxy-dev
  libegl-mesa0 libgl1-mesa-dri mesa-utils
  liblua5.1-0-dev libpng-dev libjpeg62-turbo-dev zlib1g-dev
  libfreetype-dev fonts-dejavu-core fonts-liberation2
  libutfcpp-dev libicu-dev libfmt-dev libcli11-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev libsfml-dev
  xvfb xauth xdotool x11-utils libx11-dev imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
