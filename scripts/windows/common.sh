# Shared by the Windows build scripts: where the cache lies and the versions it is keyed by.
# Sourced, not run.

# The cross-built Qt and libraries are cached outside the repository, so that a fresh clone (and
# CI on the same machine) reuses them. QUORLENT_WIN_CACHE names another place.
if [ -z "${QUORLENT_WIN_CACHE:-}" ]; then
  if [ -w /var/cache ] || [ "$(id -u)" -eq 0 ]; then
    QUORLENT_WIN_CACHE=/var/cache/quorlent-win64
  else
    QUORLENT_WIN_CACHE="${XDG_CACHE_HOME:-$HOME/.cache}/quorlent-win64"
  fi
fi
export QUORLENT_WIN_CACHE
mkdir -p "$QUORLENT_WIN_CACHE/src" "$QUORLENT_WIN_CACHE/build"

QT_VERSION=6.4.2
TRIPLE=x86_64-w64-mingw32
REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
TOOLCHAIN_FILE="$REPO_ROOT/cmake/mingw-w64-x86_64.cmake"

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

log() { printf '== %s\n' "$*"; }

# A short digest of the given strings and files: part of a cache folder's name, so that changing an
# option or the toolchain file builds a new cache instead of reusing a stale one.
cache_key() {
  { printf '%s\n' "$@"; cat "$TOOLCHAIN_FILE"; } | sha256sum | cut -c1-10
}

# Source packages come from Debian's bookworm archive: make sure apt knows the deb-src entries.
ensure_deb_src() {
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    log "adding a deb-src entry for bookworm"
    $SUDO tee /etc/apt/sources.list.d/quorlent-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    $SUDO apt-get update
  fi
}

# Unpacks Debian's source package $1 (patches applied) under the cache's src/ and prints its folder.
debian_source() {
  local pkg=$1 dir
  dir=$(find "$QUORLENT_WIN_CACHE/src" -maxdepth 1 -type d -name "$pkg-*" | head -n 1)
  if [ -z "$dir" ]; then
    ensure_deb_src
    (cd "$QUORLENT_WIN_CACHE/src" && apt-get source "$pkg" >&2)
    dir=$(find "$QUORLENT_WIN_CACHE/src" -maxdepth 1 -type d -name "$pkg-*" | head -n 1)
  fi
  [ -n "$dir" ] || { echo "could not unpack the source package $pkg" >&2; return 1; }
  printf '%s\n' "$dir"
}
