#!/usr/bin/env bash
# Builds the libraries Quorlent and its tests link, for 64-bit Windows, from Debian's source
# packages (Debian ships MinGW builds of none of them): SQLite, libxml2, GoogleTest, Google
# Benchmark; Boost.Math is header-only and comes from the build machine. Once, into the cache;
# prints the prefix.
set -euo pipefail
source "$(dirname "$0")/common.sh"

key=$(cache_key libs-v1 sqlite3 libxml2 googletest benchmark)
prefix="$QUORLENT_WIN_CACHE/libs-$key"
if [ -f "$prefix/.complete" ]; then
  printf '%s\n' "$prefix"
  exit 0
fi
bash "$REPO_ROOT/scripts/apt-install.sh" tcl dpkg-dev libboost-dev cmake ninja-build >&2
jobs="${QUORLENT_JOBS:-$(nproc)}"
mkdir -p "$prefix/include" "$prefix/lib" "$prefix/bin"
cross=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" -DCMAKE_BUILD_TYPE=Release
       -DCMAKE_INSTALL_PREFIX="$prefix")

# SQLite: the amalgamation is generated natively (it needs tclsh), then compiled into a DLL.
src=$(debian_source sqlite3)
build="$QUORLENT_WIN_CACHE/build/sqlite3"
mkdir -p "$build"
if [ ! -f "$build/sqlite3.c" ]; then
  log "generating the SQLite amalgamation" >&2
  (cd "$build" && "$src/configure" --disable-tcl >&2 && make sqlite3.c >&2)
fi
log "building sqlite3.dll" >&2
"$TRIPLE-gcc-posix" -O2 -shared -DSQLITE_API='__declspec(dllexport)' -DSQLITE_THREADSAFE=1 \
    -DSQLITE_DEFAULT_FOREIGN_KEYS=0 "$build/sqlite3.c" -o "$prefix/bin/libsqlite3-0.dll" \
    -Wl,--out-implib,"$prefix/lib/libsqlite3.dll.a"
cp "$build/sqlite3.h" "$build/sqlite3ext.h" "$prefix/include/"

# libxml2 without iconv: the results page is decoded to UTF-8 before it is parsed.
src=$(debian_source libxml2)
log "building libxml2" >&2
cmake -S "$src" -B "$QUORLENT_WIN_CACHE/build/libxml2" "${cross[@]}" -DBUILD_SHARED_LIBS=ON \
      -DLIBXML2_WITH_ICONV=OFF -DLIBXML2_WITH_ICU=OFF -DLIBXML2_WITH_LZMA=OFF \
      -DLIBXML2_WITH_ZLIB=OFF -DLIBXML2_WITH_PYTHON=OFF -DLIBXML2_WITH_PROGRAMS=OFF \
      -DLIBXML2_WITH_TESTS=OFF -DLIBXML2_WITH_HTTP=OFF -DLIBXML2_WITH_FTP=OFF >&2
cmake --build "$QUORLENT_WIN_CACHE/build/libxml2" --parallel "$jobs" >&2
cmake --install "$QUORLENT_WIN_CACHE/build/libxml2" >&2

src=$(debian_source googletest)
log "building GoogleTest" >&2
cmake -S "$src" -B "$QUORLENT_WIN_CACHE/build/googletest" "${cross[@]}" -DBUILD_SHARED_LIBS=OFF \
      -Dgtest_disable_pthreads=OFF >&2
cmake --build "$QUORLENT_WIN_CACHE/build/googletest" --parallel "$jobs" >&2
cmake --install "$QUORLENT_WIN_CACHE/build/googletest" >&2

# Google Benchmark reads its version from git, which a source package lacks.
src=$(debian_source benchmark)
log "building Google Benchmark" >&2
cmake -S "$src" -B "$QUORLENT_WIN_CACHE/build/benchmark" "${cross[@]}" -DBUILD_SHARED_LIBS=OFF \
      -DGIT_VERSION=1.7.1 -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
      -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_INSTALL=ON >&2
cmake --build "$QUORLENT_WIN_CACHE/build/benchmark" --parallel "$jobs" >&2
cmake --install "$QUORLENT_WIN_CACHE/build/benchmark" >&2

# Boost.Math is header-only: only boost/ is shown to the cross compiler, never the whole of
# /usr/include, whose Linux headers would shadow MinGW's.
ln -sfn /usr/include/boost "$prefix/include/boost"
touch "$prefix/.complete"
log "libraries for Windows ready in $prefix" >&2
printf '%s\n' "$prefix"
