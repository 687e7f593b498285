#!/usr/bin/env bash
# Renders docs/screenshot.png from the sample history and docs/about.png (needs a build; no
# display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target take_screenshot take_about_screenshot
QT_QPA_PLATFORM=offscreen ./build/tools/take_screenshot "samples/历史号码/示例历史号码.txt" docs/screenshot.png
QT_QPA_PLATFORM=offscreen ./build/tools/take_about_screenshot docs/about.png
