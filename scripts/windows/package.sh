#!/usr/bin/env bash
# Packs a cross-built quorlent.exe with everything it needs into a folder, a zip and an NSIS
# installer:  package.sh BUILD-DIR QT-PREFIX LIBS-PREFIX OUT-DIR
#   OUT-DIR/stage/Quorlent-<version>-win64/   the program folder as the zip holds it
#   OUT-DIR/Quorlent-<version>-win64.zip
#   OUT-DIR/Quorlent-<version>-setup.exe
set -euo pipefail
source "$(dirname "$0")/common.sh"
build=$(realpath "$1") qt=$2 libs=$3
mkdir -p "$4"
out=$(realpath "$4")
version=$(sed -n 's/^inline constexpr char kVersion\[\] = "\(.*\)";/\1/p' "$build/app/AppInfo.h")
[ -n "$version" ] || { echo "no version in $build/app/AppInfo.h" >&2; exit 1; }
name="Quorlent-$version-win64"
stage="$out/stage/$name"
rm -rf "$stage"
mkdir -p "$stage/plugins"

# Where the DLLs a binary imports are looked for; Windows' own DLLs are found in none of them.
dll_dirs=("$qt/bin" "$libs/bin" "/usr/lib/gcc/$TRIPLE/12-posix" "/usr/$TRIPLE/lib")
copy_with_dlls() { # FILE DEST-DIR: copies FILE and, beside the program, every DLL it needs
  local file=$1 dest=$2
  cp "$file" "$dest/"
  local queue=("$file") seen=" "
  while [ ${#queue[@]} -gt 0 ]; do
    local current=${queue[0]}
    queue=("${queue[@]:1}")
    local dll
    for dll in $("$TRIPLE-objdump" -p "$current" | sed -n 's/^\s*DLL Name: //p'); do
      case "$seen" in *" ${dll,,} "*) continue ;; esac
      seen="$seen${dll,,} "
      local dir
      for dir in "${dll_dirs[@]}"; do
        if [ -f "$dir/$dll" ]; then
          [ -f "$stage/$dll" ] || cp "$dir/$dll" "$stage/"
          queue+=("$dir/$dll")
          break
        fi
      done
    done
  done
}

copy_with_dlls "$build/quorlent.exe" "$stage"
# The plugins Qt loads by name: the Windows platform, its native style, TLS through schannel, the
# icon reader; and offscreen, which the headless checks of the package use.
for plugin in platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll \
              tls/qschannelbackend.dll imageformats/qico.dll; do
  mkdir -p "$stage/plugins/$(dirname "$plugin")"
  copy_with_dlls "$qt/plugins/$plugin" "$stage/plugins/$(dirname "$plugin")"
done
# Plugins lie in plugins\ and Qt's translations in translations\, beside the program.
printf '[Paths]\nPrefix = .\nPlugins = plugins\nTranslations = translations\n' > "$stage/qt.conf"
mkdir -p "$stage/translations"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$stage/translations/"
cp -r "$REPO_ROOT/samples/历史号码" "$stage/"
cp "$REPO_ROOT/LICENSE" "$stage/LICENSE.txt"
find "$stage" -name '*.exe' -o -name '*.dll' | xargs "$TRIPLE-strip" --strip-unneeded

# The zip: names in UTF-8 with the flag that tells Windows so (Python's zipfile sets it).
rm -f "$out/$name.zip"
(cd "$out/stage" && python3 - "$name" "../$name.zip" <<'PY'
import os, sys, zipfile
root, target = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for folder, _, files in sorted(os.walk(root)):
        for f in sorted(files):
            z.write(os.path.join(folder, f))
PY
)

# The installer installs exactly the staged files and its uninstaller removes exactly those.
nsis_files="$out/stage/files.nsh"
: > "$nsis_files.install"
: > "$nsis_files.remove"
(cd "$stage" && find . -type d | sort) | while read -r d; do
  d=${d#./}
  [ "$d" = "." ] && continue
  printf 'CreateDirectory "$INSTDIR\\%s"\n' "${d//\//\\}" >> "$nsis_files.install"
done
(cd "$stage" && find . -type f | sort) | while read -r f; do
  f=${f#./}
  win=${f//\//\\}
  printf 'File "/oname=%s" "%s"\n' "$win" "$stage/$f" >> "$nsis_files.install"
  printf 'Delete "$INSTDIR\\%s"\n' "$win" >> "$nsis_files.remove"
done
(cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r d; do
  d=${d#./}
  printf 'RMDir "$INSTDIR\\%s"\n' "${d//\//\\}" >> "$nsis_files.remove"
done
size_kb=$(du -sk "$stage" | cut -f1)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSIZE_KB="$size_kb" \
    -DICON="$REPO_ROOT/data/windows/quorlent.ico" -DLICENSE_FILE="$REPO_ROOT/LICENSE" \
    -DINSTALL_LIST="$nsis_files.install" -DREMOVE_LIST="$nsis_files.remove" \
    -DOUTFILE="$out/Quorlent-$version-setup.exe" "$REPO_ROOT/data/windows/quorlent.nsi"

log "$(du -sh "$stage" | cut -f1) in $stage"
log "$(du -h "$out/$name.zip" | cut -f1) $out/$name.zip"
log "$(du -h "$out/Quorlent-$version-setup.exe" | cut -f1) $out/Quorlent-$version-setup.exe"
