#!/usr/bin/env bash
# Set up, build the program (only what the window needs) and start the window. The tests and the
# benchmarks are built by scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --window
exec ./build/quorlent "$@"
