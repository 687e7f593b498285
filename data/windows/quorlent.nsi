; The Windows installer of Quorlent, built on Debian by scripts/windows/package.sh with makensis.
; Per-user by default: no administrator rights, the program in %LOCALAPPDATA%\Programs\Quorlent,
; the user's histories and settings in %LOCALAPPDATA%\Quorlent, which the uninstaller leaves.
; Defined by the caller: VERSION, SIZE_KB, ICON, LICENSE_FILE, INSTALL_LIST, REMOVE_LIST, OUTFILE.
; A 64-bit installer for the 64-bit program (Unicode, as every amd64 target is).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorlent"

Name "Quorlent ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quorlent"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Quorlent ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "Quorlent"
VIAddVersionKey /LANG=2052 "FileDescription" "Quorlent 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "GNU GPL 3 或更新版本"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\quorlent.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section "Quorlent" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  !include "${INSTALL_LIST}"
  ; Marks this copy as installed: it then keeps its data in %LOCALAPPDATA%\Quorlent and never
  ; writes beside its executable (a copy unpacked from the zip has no marker and is portable).
  FileOpen $0 "$INSTDIR\quorlent-installed.txt" w
  FileWrite $0 "Quorlent ${VERSION}: installed copy; data in %LOCALAPPDATA%\Quorlent$\r$\n"
  FileClose $0
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Quorlent.lnk" "$INSTDIR\quorlent.exe" "" "$INSTDIR\quorlent.exe" 0
  CreateShortCut "$DESKTOP\Quorlent.lnk" "$INSTDIR\quorlent.exe" "" "$INSTDIR\quorlent.exe" 0

  ; The entry in 应用和功能 (Apps & features).
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quorlent"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Quorlent developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorlent.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

; Removes exactly what was installed: the histories and settings in %LOCALAPPDATA%\Quorlent stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\Quorlent.lnk"
  Delete "$DESKTOP\Quorlent.lnk"
  !include "${REMOVE_LIST}"
  Delete "$INSTDIR\quorlent-installed.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
