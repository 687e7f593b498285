#!/usr/bin/env bash
# Set up, build and run the whole test suite headless; then again under the address and
# undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure --timeout 60)
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORLENT_SANITIZE=ON \
      -DQUORLENT_BUILD_BENCH=OFF
cmake --build build-sanitize
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure --timeout 120)
