; The Windows installer of Nabídka, built by CMake (target "installer") with
; makensis -DVERSION=… -DPROGRAM=… -DCLI=… -DICON=… -DOUTFILE=…
; It installs both programs under Program Files, a Start-menu shortcut and
; (if the user keeps it) one on the desktop, and registers its uninstaller
; with "Apps & features". Neither touches the user's article-list folder.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"

!define APP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Nabidka"
!define PUBLISHER "The Nabidka developers"

Name "Nabídka ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Nabidka"
InstallDirRegKey HKLM "${APP_KEY}" "InstallLocation"
BrandingText "Nabídka ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1029 "ProductName" "Nabídka"
VIAddVersionKey /LANG=1029 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1029 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1029 "FileDescription" "Instalace programu Nabídka"
VIAddVersionKey /LANG=1029 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1029 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\nabidka.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Spustit Nabídku"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Czech"

Section "Nabídka (program)" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=nabidka.exe" "${PROGRAM}"
  File "/oname=nabidka-cli.exe" "${CLI}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Nabídka.lnk" "$INSTDIR\nabidka.exe" "" "$INSTDIR\nabidka.exe" 0
  WriteRegStr HKLM "${APP_KEY}" "DisplayName" "Nabídka"
  WriteRegStr HKLM "${APP_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${APP_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${APP_KEY}" "DisplayIcon" "$INSTDIR\nabidka.exe,0"
  WriteRegStr HKLM "${APP_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${APP_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${APP_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${APP_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${APP_KEY}" "NoRepair" 1
  SectionGetSize ${SectionProgram} $0
  WriteRegDWORD HKLM "${APP_KEY}" "EstimatedSize" $0
SectionEnd

Section "Zástupce na ploše" SectionDesktop
  SetShellVarContext all
  CreateShortcut "$DESKTOP\Nabídka.lnk" "$INSTDIR\nabidka.exe" "" "$INSTDIR\nabidka.exe" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} "Okno pro zpracování cenové nabídky (nabidka.exe) a příkazová řádka (nabidka-cli.exe)."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} "Zástupce programu Nabídka na ploše."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Nabídka.lnk"
  Delete "$DESKTOP\Nabídka.lnk"
  Delete "$INSTDIR\nabidka.exe"
  Delete "$INSTDIR\nabidka-cli.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${APP_KEY}"
SectionEnd
