#!/usr/bin/env bash
# Builds Qt 6.4.2 (qtbase and qtcharts) for 64-bit Windows from Debian's source packages, once, into
# the cache; prints the installed prefix. An interrupted build resumes where it stopped (ninja), and
# a prefix counts only once its stamp is written, after both modules are installed.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# What the program and its tests use: Core, Gui, Widgets, Network (schannel for HTTPS),
# PrintSupport, Test, the windows, offscreen and minimal platform plugins. Notes on the choices:
# - no ICU: the import reader decodes GB18030 through Windows' own code page 54936 instead;
# - direct2d stays on: without it PrintSupport and the windows plugin fail to link;
# - Debian's source drops wintab, which tablet events need;
# - the offscreen plugin (headless tests) is built only with FreeType.
QT_OPTIONS=(
  -xplatform win32-g++ -release -shared -nomake tests -nomake examples
  -no-icu -no-dbus -no-opengl -no-vulkan
  -no-feature-sql -no-feature-concurrent -no-feature-xml -no-feature-tabletevent
  -no-feature-androiddeployqt -no-feature-tuiotouch -no-feature-brotli
  -no-libjpeg -no-gif -qt-freetype -qt-zlib -qt-pcre -qt-libpng -qt-harfbuzz
  -qt-doubleconversion -qt-libmd4c -schannel
)
key=$(cache_key "$QT_VERSION" "${QT_OPTIONS[@]}")
prefix="$QUORLENT_WIN_CACHE/qt-$QT_VERSION-$key"
if [ "${1:-}" = --is-cached ]; then
  [ -f "$prefix/.complete" ]
  exit
fi
if [ -f "$prefix/.complete" ]; then
  printf '%s\n' "$prefix"
  exit 0
fi
jobs="${QUORLENT_JOBS:-$(nproc)}"

# Host tools (moc, rcc, uic and their CMake packages) come from Debian's Qt of the same version.
bash "$REPO_ROOT/scripts/apt-install.sh" qt6-base-dev qt6-base-dev-tools dpkg-dev cmake ninja-build \
     perl >&2
host_cmake=/usr/lib/x86_64-linux-gnu/cmake

# Qt records the toolchain file it was configured with (qt-cmake chains to it): give it a copy
# that lives as long as the cache, not one in a clone that may go.
qt_toolchain="$QUORLENT_WIN_CACHE/toolchain-$key.cmake"
cp "$TOOLCHAIN_FILE" "$qt_toolchain"

src=$(debian_source qt6-base)
build="$QUORLENT_WIN_CACHE/build/qtbase-$key"
mkdir -p "$build"
if [ ! -f "$build/build.ninja" ]; then
  log "configuring qtbase $QT_VERSION for Windows in $build" >&2
  (cd "$build" && "$src/configure" -prefix "$prefix" "${QT_OPTIONS[@]}" \
      -qt-host-path /usr -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" \
      -DQT_HOST_PATH_CMAKE_DIR="$host_cmake") >&2
fi
log "building qtbase (about 1,140 steps; resumes if interrupted)" >&2
start=$SECONDS
cmake --build "$build" --parallel "$jobs" >&2
cmake --install "$build" >&2
log "qtbase built and installed in $((SECONDS - start)) s" >&2

# Qt Charts: Debian's source package when the mirror serves it, else the tarball we were given.
charts_src=$(find "$QUORLENT_WIN_CACHE/src" -maxdepth 1 -type d -name 'qt6-charts-*' -o -maxdepth 1 \
             -type d -name 'qtcharts-everywhere-src-*' | head -n 1)
if [ -z "$charts_src" ]; then
  if (cd "$QUORLENT_WIN_CACHE/src" && ensure_deb_src && apt-get source qt6-charts >&2); then
    log "Qt Charts from Debian's source package qt6-charts" >&2
  else
    tarball="${QUORLENT_QTCHARTS_TARBALL:-$REPO_ROOT/../shared/win64/qtcharts-6.4.2-source.tar.xz}"
    [ -f "$tarball" ] || { echo "apt-get source qt6-charts failed and no Qt Charts tarball at $tarball (set QUORLENT_QTCHARTS_TARBALL)" >&2; exit 1; }
    log "apt-get source qt6-charts failed: Qt Charts from $tarball" >&2
    mkdir -p "$QUORLENT_WIN_CACHE/src/qtcharts-everywhere-src-$QT_VERSION"
    tar -xf "$tarball" -C "$QUORLENT_WIN_CACHE/src/qtcharts-everywhere-src-$QT_VERSION" --strip-components=1
  fi
  charts_src=$(find "$QUORLENT_WIN_CACHE/src" -maxdepth 1 -type d -name 'qt6-charts-*' -o -maxdepth 1 \
               -type d -name 'qtcharts-everywhere-src-*' | head -n 1)
fi
charts_build="$QUORLENT_WIN_CACHE/build/qtcharts-$key"
mkdir -p "$charts_build"
if [ ! -f "$charts_build/build.ninja" ]; then
  "$prefix/bin/qt-cmake" -S "$charts_src" -B "$charts_build" -G Ninja -DQT_BUILD_TESTS=OFF \
      -DQT_BUILD_EXAMPLES=OFF >&2
fi
cmake --build "$charts_build" --parallel "$jobs" >&2
cmake --install "$charts_build" >&2
touch "$prefix/.complete"
log "Qt $QT_VERSION for Windows ready in $prefix" >&2
printf '%s\n' "$prefix"
