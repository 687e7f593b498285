#!/usr/bin/env bash
# Renders docs/screenshot.png from the sample history (needs a build; no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target take_screenshot
QT_QPA_PLATFORM=offscreen ./build/tools/take_screenshot "samples/历史号码/示例历史号码.txt" docs/screenshot.png
# The 走势图 window: docs/trend-100.png (近 100 期, 遗漏分层 and 折线) and docs/trend-same-draw.png (同期号).
cmake --build build --target take_trend_screenshots
QT_QPA_PLATFORM=offscreen ./build/tools/take_trend_screenshots "samples/历史号码/示例历史号码.txt" docs
