#!/usr/bin/env bash
# Installs what Quorlent needs on Debian 12 and builds it into build/ (Release).
set -euo pipefail
cd "$(dirname "$0")/.."
# libqt6opengl6-dev: the CMake package of Qt Charts needs that of Qt OpenGL.
bash scripts/apt-install.sh cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libsqlite3-dev \
     libxml2-dev libgtest-dev libbenchmark-dev python3 python3-xlrd fonts-wqy-microhei xvfb xauth \
     dpkg-dev file desktop-file-utils appstream libboost-dev qt6-charts-dev libqt6opengl6-dev
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
