; The Windows installer: makensis -DVERSION=1.0.0 -DSOURCE=folder -DICON=ravelock.ico -DOUTFILE=setup.exe ravelock.nsi
; For the current user or for all users, a Start menu entry, "Open with Ravelock" for .tga files, and an
; uninstaller that takes away everything it added.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Ravelock"
!define PROGID "Ravelock.tga"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ravelock"
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_64_BIT
!define MULTIUSER_INSTALLMODE_INSTDIR "Ravelock"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
ShowInstDetails show

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The folder is always Ravelock's own, under Program Files or the user's programs, so that the uninstaller
; may take it away whole.
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Ravelock"
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Ravelock.lnk" "$INSTDIR\ravelock.exe"
  ; SHCTX is HKCU or HKLM, as the install mode chose.
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Targa texture"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\ravelock.exe,0"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open" "FriendlyAppName" "Ravelock"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\ravelock.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\.tga\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Ravelock"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Ravelock developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ravelock.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Ravelock.lnk"
  DeleteRegValue SHCTX "Software\Classes\.tga\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.tga\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.tga"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  RMDir /r "$INSTDIR"
SectionEnd
