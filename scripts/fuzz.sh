#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (default 60 s; first argument
# to change it). A broken invariant or a sanitizer finding stops the run with a failure and leaves
# the input that caused it in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/apt-install.sh cmake ninja-build clang libclang-rt-14-dev qt6-base-dev libsqlite3-dev \
     libxml2-dev
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DQUORLENT_FUZZ=ON -DQUORLENT_BUILD_TESTS=OFF -DQUORLENT_BUILD_BENCH=OFF
cmake --build build-fuzz --target fuzz_history_text fuzz_draw_page fuzz_import_table
mkdir -p build-fuzz/findings
for target in history_text draw_page import_table; do
  corpus="build-fuzz/corpus/$target"
  mkdir -p "$corpus"
  dict=()
  [ -f "tests/fuzz/$target.dict" ] && dict=(-dict="tests/fuzz/$target.dict")
  echo "== fuzz_$target for $seconds s"
  "./build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$target-" "${dict[@]}" \
      "$corpus" "tests/fuzz/corpus/$target"
done
