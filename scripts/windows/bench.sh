#!/usr/bin/env bash
# Runs the start-up and search benchmarks on Linux and, in the same session, the cross-built ones
# under wine, and prints their figures side by side:
#   bench.sh BUILD-DIR OUT-DIR [DRAWS] [ROUNDS]
# The Linux ones come from build/ (scripts/setup.sh builds them). The Windows ones run in a copy of
# the packed program folder, so that they load the DLLs the zip ships. Each benchmark runs ROUNDS
# times (3) on each side, the two sides taking turns, and each side's best figure is compared: on a
# shared machine a slow spell then cannot fall on one side only. Each output is kept in
# OUT-DIR/bench/.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/wine.sh"
build=$(realpath "$1") out=$(realpath "$2") draws=${3:-500000} rounds=${4:-3}
wine_prefix "$out"
linux="$REPO_ROOT/build/bench"
for bench in history/bench_startup analysis/bench_analysis; do
  [ -x "$linux/$bench" ] || { echo "no $linux/$bench: run scripts/setup.sh first" >&2; exit 1; }
done

version=$(sed -n 's/^inline constexpr char kVersion\[\] = "\(.*\)";/\1/p' "$build/app/AppInfo.h")
folder="$out/bench/Quorlent"
rm -rf "$folder" "$out/bench/"*.txt
mkdir -p "$out/bench"
cp -r "$out/stage/Quorlent-$version-win64" "$folder"
cp "$build/bench/history/bench_startup.exe" "$build/bench/analysis/bench_analysis.exe" "$folder/"

# name, Linux program, its arguments. With SMALL_PAGES=1 the Linux program also runs held to 4 KB
# pages, as a Windows program is (small_pages.py), and that run is set beside Windows too.
run_both() {
  local name=$1 program=$2 round
  shift 2
  local linux_outputs=() small_outputs=() windows_outputs=()
  for round in $(seq "$rounds"); do
    log "$name on Linux, round $round of $rounds"
    QT_QPA_PLATFORM=offscreen "$linux/$program" "$@" 2>/dev/null |
      tee "$out/bench/linux-$name-$round.txt"
    if [ "${SMALL_PAGES:-0}" = 1 ]; then
      log "$name on Linux with 4 KB pages only, round $round of $rounds"
      QT_QPA_PLATFORM=offscreen python3 "$REPO_ROOT/scripts/windows/small_pages.py" \
          "$linux/$program" "$@" 2>/dev/null | tee "$out/bench/linux-4k-$name-$round.txt"
      small_outputs+=("$out/bench/linux-4k-$name-$round.txt")
    fi
    log "$name under wine, round $round of $rounds"
    (cd "$folder" && WINEPATH= wine "$(basename "$program").exe" "$@" 2>/dev/null) |
      tr -d '\r' | tee "$out/bench/windows-$name-$round.txt"
    linux_outputs+=("$out/bench/linux-$name-$round.txt")
    windows_outputs+=("$out/bench/windows-$name-$round.txt")
  done
  log "$name side by side, each side's best of $rounds"
  python3 "$REPO_ROOT/scripts/windows/side_by_side.py" \
      "${linux_outputs[@]}" -- "${windows_outputs[@]}" | tee "$out/bench/side-by-side-$name.txt"
  if [ "${#small_outputs[@]}" -gt 0 ]; then
    log "$name side by side, Linux held to 4 KB pages as Windows is, each side's best of $rounds"
    python3 "$REPO_ROOT/scripts/windows/side_by_side.py" \
        "${small_outputs[@]}" -- "${windows_outputs[@]}" | tee "$out/bench/side-by-side-$name-4k.txt"
  fi
}
# Start-up, imports and the preview write large fresh arrays, where the size of a page tells.
SMALL_PAGES=1 run_both startup history/bench_startup "$draws"
run_both searches analysis/bench_analysis --fast "$draws"
wineserver -k 2>/dev/null || true
