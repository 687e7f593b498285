#!/usr/bin/env bash
# Renders the screenshots in docs/ from the sample history (needs a build; no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target take_screenshot take_about_screenshot take_stats_screenshots
QT_QPA_PLATFORM=offscreen ./build/tools/take_screenshot "samples/历史号码/示例历史号码.txt" docs/screenshot.png
QT_QPA_PLATFORM=offscreen ./build/tools/take_about_screenshot docs/about.png
QT_QPA_PLATFORM=offscreen ./build/tools/take_stats_screenshots "samples/历史号码/示例历史号码.txt" \
  docs/outcome-chart.png docs/backtest.png
