#!/usr/bin/env bash
# Builds Quorlent for 64-bit Windows on Debian 12 and packs it:
#   build-windows/Quorlent-<version>-win64.zip    unzip anywhere, run quorlent.exe (portable)
#   build-windows/Quorlent-<version>-setup.exe    per-user installer (NSIS)
# Installs the cross tools (apt-get, through sudo when not root), builds Qt and the libraries for
# Windows from Debian's source packages once into a cache outside the repository
# (/var/cache/quorlent-win64, or QUORLENT_WIN_CACHE; about 50 minutes the first time on 2 cores),
# then cross-builds the program and its tests.
#   --test   also runs the whole GoogleTest suite and the package checks under wine, headless
#   --bench  also builds the benchmarks and runs them under wine beside the Linux ones, built in
#            build/ by scripts/setup.sh, printing the figures side by side
#            (scripts/windows/bench.sh; the outputs stay in build-windows/bench/)
#   --cached-only   fail at once, without building, when the cached Qt is missing
set -euo pipefail
cd "$(dirname "$0")/.."
run_tests=0 bench=OFF cached_only=0
for arg in "$@"; do
  case "$arg" in
    --test) run_tests=1 ;;
    --bench) bench=ON ;;
    --cached-only) cached_only=1 ;;
    -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
    *) echo "unknown option $arg" >&2; exit 2 ;;
  esac
done
source scripts/windows/common.sh
start=$SECONDS

bash scripts/apt-install.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools \
     wine wine64 nsis cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-translations-l10n \
     libboost-dev dpkg-dev tcl python3 python3-xlrd fonts-wqy-microhei
if [ "$cached_only" = 1 ] && ! bash scripts/windows/qt.sh --is-cached; then
  echo "no cached Qt for Windows in $QUORLENT_WIN_CACHE" >&2
  exit 3
fi
qt=$(bash scripts/windows/qt.sh)
libs=$(bash scripts/windows/libs.sh)
log "Qt in $qt, libraries in $libs ($((SECONDS - start)) s)"

out=build-windows
build=$out/build
tests=OFF
[ "$run_tests" = 1 ] && tests=ON
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" -DQUORLENT_WIN_PREFIXES="$qt;$libs" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DQUORLENT_WINE="$PWD/scripts/windows/wine-run.sh" \
      -DQUORLENT_BUILD_TESTS="$tests" -DQUORLENT_BUILD_BENCH="$bench" "${launcher[@]}"
build_start=$SECONDS
cmake --build "$build" --parallel "${QUORLENT_JOBS:-$(nproc)}"
log "program built in $((SECONDS - build_start)) s"
bash scripts/windows/package.sh "$build" "$qt" "$libs" "$out"

if [ "$run_tests" = 1 ]; then
  bash scripts/windows/test.sh "$build" "$qt" "$libs" "$out"
fi
if [ "$bench" = ON ]; then
  bash scripts/setup.sh
  bash scripts/windows/bench.sh "$build" "$out"
fi
log "done in $((SECONDS - start)) s"
