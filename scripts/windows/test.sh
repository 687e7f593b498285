#!/usr/bin/env bash
# Runs the cross-built test suite and the package checks under wine, headless:
#   test.sh BUILD-DIR QT-PREFIX LIBS-PREFIX OUT-DIR
# Prints ctest's pass/fail summary as on Linux, then checks the zip (a portable copy unpacked into
# a folder with a Chinese name) and the installer (install, start, uninstall keeping the data).
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/wine.sh"
build=$(realpath "$1") qt=$2 libs=$3 out=$(realpath "$4")
wine_prefix "$out"

# The test programs find Qt, the libraries and the MinGW run-time through WINEPATH; Qt finds its
# plugins beside its own DLLs.
win_path() { winepath -w "$1" 2>/dev/null; }
WINEPATH="$(win_path "$qt/bin");$(win_path "$libs/bin");$(win_path "/usr/lib/gcc/$TRIPLE/12-posix");$(win_path "/usr/$TRIPLE/lib")"
export WINEPATH
version=$(sed -n 's/^inline constexpr char kVersion\[\] = "\(.*\)";/\1/p' "$build/app/AppInfo.h")
stage="$out/stage/Quorlent-$version-win64"
# The smoke test starts the packed program, not the one in the build tree.
export QUORLENT_SMOKE_EXE="$(win_path "$stage/quorlent.exe")"

# The workbooks the tests write are read back by python3-xlrd on the Linux side, through a server:
# under wine a test can neither run nor wait for a Linux program.
tmp=$(mktemp -d)
/usr/bin/python3 "$REPO_ROOT/tests/output/xls_read_server.py" "$tmp/port" &
reader=$!
trap 'kill $reader 2>/dev/null; rm -rf "$tmp"' EXIT
for _ in $(seq 1 100); do [ -s "$tmp/port" ] && break; sleep 0.1; done
export QUORLENT_XLS_READER_SERVER="127.0.0.1:$(cat "$tmp/port")"

status=0
log "the test suite under wine"
if ! (cd "$build" && ctest --output-on-failure --timeout 180 -j "${QUORLENT_JOBS:-$(nproc)}"); then
  # On a busy machine wine now and then fails to start a process: a test program, or a program a
  # test starts (CreateProcess returning false). The tests that failed run once more, one at a
  # time, and are named above either way; the run fails if any fails again.
  log "the tests that failed, once more, one at a time"
  if (cd "$build" && ctest --rerun-failed --output-on-failure --timeout 180); then
    log "they passed when run again: see their first failure above"
  else
    status=1
  fi
fi

log "the portable zip"
portable="$tmp/下载/Quorlent"
mkdir -p "$portable"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
    "$out/Quorlent-$version-win64.zip" "$portable"
exe="$portable/Quorlent-$version-win64/quorlent.exe"
folder=$(wine "$exe" --check-start | tr -d '\r')
check() { # DESCRIPTION CONDITION...
  local what=$1; shift
  if "$@"; then echo "  ok: $what"; else echo "  FAILED: $what"; status=1; fi
}
check "the zip's program keeps its files beside itself ($folder)" \
      test "$(winepath -u "$folder" 2>/dev/null)" -ef "$(dirname "$exe")"
check "a new Varnibo.mdb beside quorlent.exe" test -s "$(dirname "$exe")/Varnibo.mdb"
check "the sample history under 历史号码" test -f "$(dirname "$exe")/历史号码/示例历史号码.txt"

log "the installer"
appdata=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
wine "$out/Quorlent-$version-setup.exe" /S
installed="$appdata/Programs/Quorlent"
check "installed per user in %LOCALAPPDATA%\\Programs\\Quorlent" test -f "$installed/quorlent.exe"
check "marked as an installed copy" test -f "$installed/quorlent-installed.txt"
check "an entry in 应用和功能" wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorlent' /v UninstallString
start_menu=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/Microsoft/Windows/Start\ Menu/Programs
check "a Start-menu shortcut" test -f "$start_menu/Quorlent.lnk"
folder=$(wine "$installed/quorlent.exe" --check-start | tr -d '\r')
check "the installed program keeps its files in %LOCALAPPDATA%\\Quorlent ($folder)" \
      test "$(winepath -u "$folder" 2>/dev/null)" -ef "$appdata/Quorlent"
check "its history there" test -s "$appdata/Quorlent/Varnibo.mdb"
check "nothing written beside the installed program" test ! -e "$installed/Varnibo.mdb"
wine "$installed/uninstall.exe" /S
# The uninstaller copies itself away and returns at once: wait for its copy to finish.
for _ in $(seq 1 100); do [ -e "$installed/quorlent.exe" ] || break; sleep 0.2; done
check "the uninstaller removes the program" test ! -e "$installed/quorlent.exe"
check "and leaves the user's history" test -s "$appdata/Quorlent/Varnibo.mdb"
check "and its entry in 应用和功能" bash -c "! wine reg query 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorlent' >/dev/null 2>&1"
rm -rf "$appdata/Quorlent"

if [ "$status" = 0 ]; then log "Windows build: every test and check passed under wine"; else log "Windows build: FAILURES above"; fi
exit "$status"
