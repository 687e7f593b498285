#!/usr/bin/env bash
# Installs what Quorlent needs on Debian 12 and builds it into build/ (Release).
#   setup.sh           everything: the program, its tests, benchmarks and tools
#   setup.sh --window  only what the window needs (its packages, the quorlent target)
set -euo pipefail
cd "$(dirname "$0")/.."
# The window's packages. libqt6opengl6-dev: the CMake package of Qt Charts needs that of Qt OpenGL.
window_packages=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libsqlite3-dev libxml2-dev
                 libboost-dev qt6-charts-dev libqt6opengl6-dev fonts-wqy-microhei)
if [ "${1:-}" = --window ]; then
  bash scripts/apt-install.sh "${window_packages[@]}"
  # A tree configured before (with its tests) keeps its options; a new one builds the program only.
  if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORLENT_BUILD_TESTS=OFF \
          -DQUORLENT_BUILD_BENCH=OFF
  fi
  cmake --build build --target quorlent
  exit 0
fi
bash scripts/apt-install.sh "${window_packages[@]}" libgtest-dev libbenchmark-dev python3 \
     python3-xlrd xvfb xauth dpkg-dev file desktop-file-utils appstream
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORLENT_BUILD_TESTS=ON \
      -DQUORLENT_BUILD_BENCH=ON
cmake --build build
