; The Windows installer of Quenhar, made by scripts/build-windows.sh with
;   makensis -DVERSION=... -DSTAGE=<folder of the files to ship> -DOUTFILE=... quenhar.nsi
; STAGE holds exactly what is installed; the script writes files.nsh and
; unfiles.nsh beside it (one File or Delete line per file), so that the
; uninstaller removes those files and nothing else.
;
; A per-user installation: no administrator rights are asked for. The
; programs go to %LOCALAPPDATA%\Programs\Quenhar; each user's bank lives in
; %APPDATA%\Quenhar, the folder the Start-menu entries start the programs in.
; The sample bank is copied there only when no velmora.db is there yet, and
; the uninstaller leaves that folder alone: a user's bank is never replaced
; nor removed.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "交规训练"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenhar"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quenhar"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${STAGE}\..\quenhar.ico"
UninstallIcon "${STAGE}\..\quenhar.ico"
BrandingText "Quenhar ${VERSION}"
ShowInstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "GNU General Public License, version 3 or later"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

LoadLanguageFile "${NSISDIR}\Contrib\Language files\SimpChinese.nlf"

Section "Quenhar"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  !include "${STAGE}\..\files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The user's own folder: the sample bank only where there is no bank yet.
  CreateDirectory "$APPDATA\Quenhar"
  IfFileExists "$APPDATA\Quenhar\velmora.db" bank_done
    CopyFiles /SILENT "$INSTDIR\sample\velmora.db" "$APPDATA\Quenhar\velmora.db"
  bank_done:

  ; A shortcut's working folder is the output path when it is made.
  SetOutPath "$APPDATA\Quenhar"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\quenhar.exe" "" "$INSTDIR\quenhar.exe" 0
  ; The editor opens the bank the trainer uses.
  CreateShortCut "$SMPROGRAMS\题库编辑.lnk" "$INSTDIR\quenhar-editor.exe" '"$APPDATA\Quenhar\velmora.db"' \
    "$INSTDIR\quenhar-editor.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Quenhar"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quenhar.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\题库编辑.lnk"
  !include "${STAGE}\..\unfiles.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
