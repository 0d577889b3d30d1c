; Installer and uninstaller of the Terrava screensaver (NSIS 3, 64-bit).
;
; terrava-setup.exe puts terrava.scr into the 64-bit system folder (where
; Screen Saver Settings lists savers), the user guide (terrava-guide.html
; with its gallery, licence and credits) and the uninstaller into
; Program Files\Korvane\Terrava, and registers the uninstaller under the
; per-machine Uninstall key. Its InstallLocation value is how the saver's
; Visit... button finds the guide (src/ui/user_guide_win32.cpp). The optional
; section makes Terrava the current user's screensaver; the value it
; replaces is remembered so that the uninstaller can put it back. The
; uninstaller removes the saver, the guide, its Uninstall entry
; and the user's settings key, and restores the previous screensaver when
; Terrava is still the active one. /S installs or uninstalls silently;
; /NOACTIVE installs without changing the active screensaver.
;
; makensis defines, all given by the build (installer/CMakeLists.txt):
;   TERRAVA_VERSION  major.minor.patch of the project
;   TERRAVA_SCR      the terrava.scr to install
;   TERRAVA_ICON     the program icon
;   TERRAVA_OUTFILE  where to write terrava-setup.exe
;   TERRAVA_GUIDE_DIR  the user guide folder (installer/user_guide.cmake)
;   TERRAVA_LICENSE  (optional) licence text shown before installing

!macro REQUIRE_DEFINE name
  !ifndef ${name}
    !error "makensis needs -D${name}=... (see installer/CMakeLists.txt)"
  !endif
!macroend
!insertmacro REQUIRE_DEFINE TERRAVA_VERSION
!insertmacro REQUIRE_DEFINE TERRAVA_SCR
!insertmacro REQUIRE_DEFINE TERRAVA_ICON
!insertmacro REQUIRE_DEFINE TERRAVA_OUTFILE
!insertmacro REQUIRE_DEFINE TERRAVA_GUIDE_DIR

Unicode true
; A 64-bit installer: $SYSDIR is the real System32 and the registry is the
; 64-bit view, with no file system or registry redirection to undo.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!define PRODUCT "Terrava"
!define PUBLISHER "Korvane"
!define SAVER_FILE "terrava.scr"
!define UNINSTALLER "terrava-uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Terrava"
!define SETTINGS_PARENT "Software\Korvane"
!define SETTINGS_KEY "Software\Korvane\Terrava"
; The screensaver values the installer replaced, per user, kept under the
; settings key so that reinstalling keeps them and uninstalling removes them
; with the settings.
!define PREVIOUS_KEY "Software\Korvane\Terrava\Setup"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_SEND 3   ; SPIF_UPDATEINIFILE | SPIF_SENDCHANGE

Name "${PRODUCT}"
OutFile "${TERRAVA_OUTFILE}"
InstallDir "$PROGRAMFILES64\${PUBLISHER}\${PRODUCT}"
BrandingText "${PRODUCT} ${TERRAVA_VERSION}"
ShowInstDetails show
ShowUninstDetails show

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinVer.nsh"

; ---- Pages ----------------------------------------------------------------
!define MUI_ICON "${TERRAVA_ICON}"
!define MUI_UNICON "${TERRAVA_ICON}"
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_RUN_TEXT "Open Screen Saver Settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings

!insertmacro MUI_PAGE_WELCOME
!ifdef TERRAVA_LICENSE
  ; The GNU GPL asks no acceptance for using the program, so the page only
  ; informs and goes on with Next.
  !define MUI_LICENSEPAGE_TEXT_BOTTOM "Terrava is free software. You need not accept this licence to use it; it sets the terms for copying, changing and passing it on."
  !define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
  !insertmacro MUI_PAGE_LICENSE "${TERRAVA_LICENSE}"
!endif
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Terrava will be removed: terrava.scr from the Windows system folder, its user guide, its entry in the list of programs and your Terrava settings. If Terrava is your screensaver, the one you had before comes back."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---- Version resource of the installer -------------------------------------
VIProductVersion "${TERRAVA_VERSION}.0"
VIFileVersion "${TERRAVA_VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${TERRAVA_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${TERRAVA_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "terrava-setup.exe"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) ${PUBLISHER}"

; ---- Installation ------------------------------------------------------------
Section "Terrava screensaver" SecSaver
  SectionIn RO
  SetOutPath "$SYSDIR"
  File "/oname=${SAVER_FILE}" "${TERRAVA_SCR}"
  SetOutPath "$INSTDIR"
  File "${TERRAVA_GUIDE_DIR}/terrava-guide.html" "${TERRAVA_GUIDE_DIR}/LICENSE.txt" "${TERRAVA_GUIDE_DIR}/CREDITS.txt"
  SetOutPath "$INSTDIR\gallery"
  File "${TERRAVA_GUIDE_DIR}/gallery/*.jpg"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  Call WriteUninstallEntry
SectionEnd

Section "Make Terrava the active screensaver" SecActivate
  Call RememberScreenSaver
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\${SAVER_FILE}"
  Push 1
  Call SetScreenSaveActive
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSaver} "Copies terrava.scr into the Windows system folder, where Screen Saver Settings lists it, and its user guide into the program folder."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecActivate} "Chooses Terrava as your screensaver now. Uninstalling puts back the one you have today."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${IfNot} ${AtLeastWin7}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs Windows 7 or later." /SD IDOK
    Abort
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NOACTIVE" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecActivate} 0
  ${EndIf}
FunctionEnd

; The per-machine entry of Apps & Features / Programs and Features.
Function WriteUninstallEntry
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${TERRAVA_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\${SAVER_FILE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$SYSDIR" "/M=${SAVER_FILE} /S=0K /G=0" $0 $1 $2
  ${GetSize} "$INSTDIR" "/S=0K" $3 $1 $2   ; the guide, its gallery and the uninstaller
  IntOp $0 $0 + $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0   ; KiB
FunctionEnd

; Records the user's screensaver values before Terrava replaces them. When
; Terrava is already the active one (a reinstall), the earlier record is the
; one to keep. A value that does not exist is recorded as absent.
Function RememberScreenSaver
  Call IsTerravaActive
  Pop $0
  ${If} $0 == 1
    Return
  ${EndIf}
  DeleteRegKey HKCU "${PREVIOUS_KEY}"
  ClearErrors
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${IfNot} ${Errors}
    WriteRegStr HKCU "${PREVIOUS_KEY}" "ScreenSaver" $1
  ${EndIf}
  ClearErrors
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  ${IfNot} ${Errors}
    WriteRegStr HKCU "${PREVIOUS_KEY}" "ScreenSaveActive" $1
  ${EndIf}
  WriteRegDWORD HKCU "${PREVIOUS_KEY}" "Recorded" 1
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

; ---- Shared by installer and uninstaller ---------------------------------------
; Pushes 1 when the user's screensaver is the installed terrava.scr, else 0.
; StrCmp ignores case, as Windows does for paths.
!macro IS_TERRAVA_ACTIVE un
  Function ${un}IsTerravaActive
    Push $0
    ClearErrors
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} ${Errors}
      StrCpy $0 0
    ${ElseIf} $0 == "$SYSDIR\${SAVER_FILE}"
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
    Exch $0
  FunctionEnd
!macroend
!insertmacro IS_TERRAVA_ACTIVE ""
!insertmacro IS_TERRAVA_ACTIVE "un."

; Switches the screensaver on (1) or off (0) for the running session as well
; as in the registry, the way the display control panel does it.
!macro SET_SCREEN_SAVE_ACTIVE un
  Function ${un}SetScreenSaveActive
    Exch $0
    System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i r0, p 0, i ${SPIF_UPDATE_AND_SEND})'
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $0
    Pop $0
  FunctionEnd
!macroend
!insertmacro SET_SCREEN_SAVE_ACTIVE ""
!insertmacro SET_SCREEN_SAVE_ACTIVE "un."

; ---- Uninstallation --------------------------------------------------------------
Section "Uninstall"
  ; The record of the previous screensaver lives under the settings key, so
  ; it is read before that key goes.
  Call un.RestoreScreenSaver
  Delete "$SYSDIR\${SAVER_FILE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT}"
  Delete "$INSTDIR\gallery\*.jpg"
  RMDir "$INSTDIR\gallery"
  Delete "$INSTDIR\terrava-guide.html"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\CREDITS.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES64\${PUBLISHER}"   ; only when empty
SectionEnd

; When Terrava is the active screensaver, puts back the values it replaced.
; Without a record (Terrava chosen by hand) no screensaver is left chosen,
; rather than one pointing at the deleted file.
Function un.RestoreScreenSaver
  Call un.IsTerravaActive
  Pop $0
  ${If} $0 != 1
    Return
  ${EndIf}
  ClearErrors
  ReadRegStr $1 HKCU "${PREVIOUS_KEY}" "ScreenSaver"
  ${If} ${Errors}
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $1
  ${EndIf}
  ReadRegDWORD $2 HKCU "${PREVIOUS_KEY}" "Recorded"
  ${If} $2 <> 1
    Return   ; no record: ScreenSaveActive stays as it is
  ${EndIf}
  ClearErrors
  ReadRegStr $1 HKCU "${PREVIOUS_KEY}" "ScreenSaveActive"
  ${If} ${Errors}
    Push 0
    Call un.SetScreenSaveActive
    DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  ${Else}
    Push $1
    Call un.SetScreenSaveActive
  ${EndIf}
FunctionEnd
