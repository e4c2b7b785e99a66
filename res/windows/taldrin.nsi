; The Windows installer: taldrin.exe and taldrin-check.exe with the bundled verb lists and
; the help books and the translations beside them, a Start menu entry and an uninstaller listed among the
; installed programs. For the signed-in user or for all users (/CurrentUser, /AllUsers);
; /S installs silently. The uninstaller leaves only the user's settings in the registry.
;   makensis -DSTAGE=<folder with the files> -DVERSION=1.0 -DOUTFILE=<setup.exe> taldrin.nsi
; A 64-bit installer, as the program is: it runs where the program does.
Target amd64-unicode
SetCompressor /SOLID lzma

!define APPNAME "Taldrin"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Taldrin"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Taldrin"
!include MultiUser.nsh
!include MUI2.nsh

Name "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APPNAME} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${APPNAME}"
VIAddVersionKey "FileDescription" "${APPNAME} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "The Taldrin developers"
VIAddVersionKey "LegalCopyright" "GNU General Public License version 3 or later"

!define MUI_ICON "${STAGE}\taldrin.ico"
!define MUI_UNICON "${STAGE}\taldrin.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\taldrin.exe"

!insertmacro MUI_PAGE_LICENSE "${STAGE}\COPYING.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first is the default; otherwise NSIS picks the user's display language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "Polish"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "SimpChinese"

Function .onInit
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Taldrin"
  SetOutPath "$INSTDIR"
  File "${STAGE}\taldrin.exe"
  File "${STAGE}\taldrin-check.exe"
  File "${STAGE}\irregu.ver"
  File "${STAGE}\irrtes.ver"
  File "${STAGE}\COPYING.txt"
  SetOutPath "$INSTDIR\help"
  File /r "${STAGE}\help\*.*"
  SetOutPath "$INSTDIR\locale"
  File /r "${STAGE}\locale\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\taldrin.exe" "" "$INSTDIR\taldrin.exe" 0

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APPNAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Taldrin developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\taldrin.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there; the settings under Software\Vespin stay the user's.
Section "Uninstall"
  Delete "$SMPROGRAMS\${APPNAME}.lnk"
  Delete "$INSTDIR\taldrin.exe"
  Delete "$INSTDIR\taldrin-check.exe"
  Delete "$INSTDIR\irregu.ver"
  Delete "$INSTDIR\irrtes.ver"
  Delete "$INSTDIR\COPYING.txt"
  RMDir /r "$INSTDIR\help"
  RMDir /r "$INSTDIR\locale"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
