#!/usr/bin/env bash
# Renders the screenshots in docs/ from the sample history (needs a build; no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target take_screenshot take_about_screenshot take_stats_screenshots \
  take_trend_screenshots take_game_screenshots take_window_screenshots take_filter_screenshot take_plan_screenshots \
  take_safety_screenshots take_explained_screenshots
QT_QPA_PLATFORM=offscreen ./build/tools/take_screenshot "samples/历史号码/示例历史号码.txt" docs/screenshot.png
QT_QPA_PLATFORM=offscreen ./build/tools/take_about_screenshot docs/about.png
QT_QPA_PLATFORM=offscreen ./build/tools/take_stats_screenshots "samples/历史号码/示例历史号码.txt" \
  docs/outcome-chart.png docs/backtest.png
# The 走势图 window: docs/trend-100.png (近 100 期, 遗漏分层 and 折线) and docs/trend-same-draw.png (同期号).
QT_QPA_PLATFORM=offscreen ./build/tools/take_trend_screenshots "samples/历史号码/示例历史号码.txt" docs
# A daily game numbered by year: docs/game-window.png and docs/game-trend.png.
QT_QPA_PLATFORM=offscreen ./build/tools/take_game_screenshots docs
# The window on a real 1366×768 display, with its 帮助 menu open, the help window and live results:
# docs/window-menubar.png, docs/help.png, docs/live.png (needs xvfb-run).
xvfb-run -a -s "-screen 0 1366x768x24" ./build/tools/take_window_screenshots \
  "samples/历史号码/示例历史号码.txt" docs
# The 缩水 window with eight conditions and their records, on a real 1366×768 display: docs/filter.png.
xvfb-run -a -s "-screen 0 1366x768x24" ./build/tools/take_filter_screenshot \
  "samples/历史号码/示例历史号码.txt" docs/filter.png
# The 计划 window with a ledger under a progression, the prize table, 长龙 and 遗漏统计, on a real
# 1366×768 display: docs/plan-ledger.png, plan-prizes.png, plan-runs.png, plan-omissions.png.
xvfb-run -a -s "-screen 0 1366x768x24" ./build/tools/take_plan_screenshots \
  "samples/历史号码/示例历史号码.txt" docs
# The questions that keep draws from being lost, and what the window says where a result could be
# misread, on a real 1366×768 display: docs/undo-deletion.png, correction-dialog.png,
# import-lost-draws.png, skip-issues.png, empty-hint-daily.png and docs/explained-*.png.
xvfb-run -a -s "-screen 0 1366x768x24" ./build/tools/take_safety_screenshots \
  "samples/历史号码/示例历史号码.txt" docs
xvfb-run -a -s "-screen 0 1366x768x24" ./build/tools/take_explained_screenshots \
  "samples/历史号码/示例历史号码.txt" docs
