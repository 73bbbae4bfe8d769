; The Windows installer: for the current user only, so no administrator
; rights are asked for; a Start-menu entry; an uninstaller (also in the
; system's list of programs) that removes what it installed and keeps the
; player's records. Built by tools/windows/package.sh, which defines VERSION,
; SOURCE (the unpacked package), ICON, OUTFILE and UNINSTALL_LIST.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define NAME "Ironkeel - Gubbinz vol.1"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ironkeel"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Ironkeel"
InstallDirRegKey HKCU "Software\Ironkeel" "InstallDir"
Icon "${ICON}"
UninstallIcon "${ICON}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "FileDescription" "${NAME} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT licence; artwork, sounds and music CC0 1.0"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\ironkeel.exe" "" "$INSTDIR\ironkeel.exe" 0
  WriteRegStr HKCU "Software\Ironkeel" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ironkeel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${NAME}.lnk"
!include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  ; Removed only when empty: the records ("scores.dat") stay.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Ironkeel"
SectionEnd
