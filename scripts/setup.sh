#!/usr/bin/env bash
# Installs what Quorlent needs on Debian 12 and builds it into build/ (Release).
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
# libqt6opengl6-dev: the CMake package of Qt Charts needs that of Qt OpenGL.
PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libsqlite3-dev libxml2-dev
          libgtest-dev libbenchmark-dev python3 python3-xlrd fonts-wqy-microhei xvfb xauth
          libboost-dev qt6-charts-dev libqt6opengl6-dev)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
