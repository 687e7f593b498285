# The wine prefix the Windows build is tested in, made once per build folder. Sourced, not run:
#   wine_prefix FOLDER   makes (if missing) and exports WINEPREFIX for FOLDER/wineprefix
# Wine does not hand QT_* variables from the shell to a Windows program, so the prefix's own
# environment (HKCU\Environment) carries them: the offscreen platform, Qt's log on stderr (QtTest
# writes to the debugger otherwise) and the fonts the offscreen platform draws with.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer dialogs in a new prefix

wine_prefix() {
  export WINEPREFIX="$1/wineprefix"
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    log "making the wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    local font_dir
    font_dir=$(winepath -w /usr/share/fonts/truetype/wqy 2>/dev/null)
    for pair in "QT_QPA_PLATFORM=offscreen" "QT_FORCE_STDERR_LOGGING=1" "QT_QPA_FONTDIR=$font_dir"; do
      wine reg add 'HKCU\Environment' /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
    done
    # Chinese fonts for the windows platform too (screenshots): a Windows system has its own.
    cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w
    touch "$WINEPREFIX/.ready"
  fi
  # Kept running: each program started under wine would otherwise start (and wait for) its own.
  wineserver -p >/dev/null 2>&1 || true
  wine cmd /c exit >/dev/null 2>&1 || true
}
