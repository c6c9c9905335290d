; Tolvar's installer: the 64-bit build on 64-bit Windows, the 32-bit build on
; 32-bit Windows, the Vedrokan font for the whole system, a Start menu
; shortcut for all users, optionally a start with Windows, and an uninstaller
; that takes all of it away again.
;
;   makensis -DVERSION=3.2.0 -DOUTFILE=setup.exe [-DWIN64_DIR=FOLDER]
;            [-DWIN32_DIR=FOLDER] installer/tolvar.nsi
;
; Each FOLDER is laid out by installer/lay_out.sh; a release has both. An
; installer made with one build refuses Windows of the other word size.
;
; Silent install: setup.exe /S [/AUTOSTART] [/D=FOLDER]; without /AUTOSTART a
; silent install does not start Tolvar with Windows. Silent uninstall:
; uninstall.exe /S.

Unicode true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh
!include x64.nsh

!ifndef VERSION
  !error "makensis needs -DVERSION=..."
!endif
!ifndef OUTFILE
  !error "makensis needs -DOUTFILE=..."
!endif
!ifndef WIN64_DIR
  !ifndef WIN32_DIR
    !error "makensis needs -DWIN64_DIR=... or -DWIN32_DIR=... (folders made by installer/lay_out.sh)"
  !endif
!endif

!define PUBLISHER "Tolvar developers"
!define WINDOW_CLASS "Tolvar"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvar"
!define FONTS_KEY "Software\Microsoft\Windows NT\CurrentVersion\Fonts"
!define FONT_FILE "Vedrokan.ttf"
; The font's full name, as Windows' own font installer names the value.
!define FONT_VALUE "Vedrokan Regular (TrueType)"

Name "Tolvar ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
ManifestDPIAware true
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Tolvar"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "Tolvar ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running Tolvar to close, as its window's Close does, and waits up to
; 10 s for it, so that no file of the folder stays in use.
!macro CLOSE_TOLVAR_FUNCTION prefix
Function ${prefix}CloseTolvar
  FindWindow $0 "${WINDOW_CLASS}"
  ${If} $0 = 0
    Return
  ${EndIf}
  DetailPrint "Closing Tolvar"
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${For} $1 1 40
    Sleep 250
    FindWindow $0 "${WINDOW_CLASS}"
    ${IfThen} $0 = 0 ${|} ${Break} ${|}
  ${Next}
  ; The process still removes its hook and writes its settings.
  Sleep 1000
FunctionEnd
!macroend
!insertmacro CLOSE_TOLVAR_FUNCTION ""
!insertmacro CLOSE_TOLVAR_FUNCTION "un."

!macro INSTALL_FILES dir
  SetOutPath "$INSTDIR"
  File "${dir}\tolvar.exe"
  File "${dir}\tvkhook.dll"
  File "${dir}\tolvar.html"
  File "${dir}\Vedrokan.gkf"
  File "${dir}\Vedrokan.gkl"
  File "${dir}\Vedrokan.tsv"
  File "${dir}\Vedrokan.ttf"
  File "${dir}\OFL.txt"
  File "${dir}\README.txt"
  ; An installed font file stays in use until the system lets go of it: an
  ; update keeps the one there.
  SetOutPath "$FONTS"
  SetOverwrite try
  File "${dir}\${FONT_FILE}"
  SetOverwrite on
!macroend

Section "Tolvar" SecTolvar
  SectionIn RO
  Call CloseTolvar
  ${If} ${RunningX64}
!ifdef WIN64_DIR
    !insertmacro INSTALL_FILES "${WIN64_DIR}"
    ; An earlier version's 32-bit helper, which nothing needs any more.
    Delete /REBOOTOK "$INSTDIR\x86\tolvar32.exe"
    Delete /REBOOTOK "$INSTDIR\x86\tvkhook.dll"
    RMDir "$INSTDIR\x86"
!endif
  ${Else}
!ifdef WIN32_DIR
    !insertmacro INSTALL_FILES "${WIN32_DIR}"
!endif
  ${EndIf}

  WriteRegStr HKLM "${FONTS_KEY}" "${FONT_VALUE}" "${FONT_FILE}"
  System::Call 'gdi32::AddFontResource(t "$FONTS\${FONT_FILE}") i'
  SendMessage ${HWND_BROADCAST} ${WM_FONTCHANGE} 0 0 /TIMEOUT=5000

  ; Tolvar loads Vedrokan.gkf from the folder it starts in: the shortcuts
  ; start it in the install folder (the current output folder).
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\Tolvar.lnk" "$INSTDIR\tolvar.exe" "" "$INSTDIR\tolvar.exe" 0
  ; "Start with Windows" below makes it anew when chosen.
  Delete "$SMSTARTUP\Tolvar.lnk"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tolvar"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tolvar.exe,0"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Start Tolvar with Windows" SecAutostart
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMSTARTUP\Tolvar.lnk" "$INSTDIR\tolvar.exe" "" "$INSTDIR\tolvar.exe" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecTolvar} "Tolvar, the Vedrokan language and font, and a Start menu shortcut."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAutostart} "Start Tolvar when anyone signs in to Windows."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${If} ${RunningX64}
!ifdef WIN64_DIR
    SetRegView 64
    StrCpy $2 "$PROGRAMFILES64\Tolvar"
!else
    MessageBox MB_ICONSTOP "This installer holds the 32-bit Tolvar only, and this is 64-bit Windows." /SD IDOK
    Abort
!endif
  ${Else}
!ifdef WIN32_DIR
    StrCpy $2 "$PROGRAMFILES\Tolvar"
!else
    MessageBox MB_ICONSTOP "This installer holds the 64-bit Tolvar only, and this is 32-bit Windows." /SD IDOK
    Abort
!endif
  ${EndIf}
  ; /D= names the folder; else an earlier install's, else Program Files.
  ${If} $INSTDIR == ""
    ReadRegStr $INSTDIR HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${IfThen} $INSTDIR == "" ${|} StrCpy $INSTDIR $2 ${|}
  ${EndIf}
  ${If} ${Silent}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AUTOSTART" $1
    ${If} ${Errors}
      !insertmacro UnselectSection ${SecAutostart}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseTolvar

  SetShellVarContext all
  Delete "$SMPROGRAMS\Tolvar.lnk"
  Delete "$SMSTARTUP\Tolvar.lnk"

  Delete /REBOOTOK "$INSTDIR\tolvar.exe"
  Delete /REBOOTOK "$INSTDIR\tvkhook.dll"
  Delete "$INSTDIR\tolvar.html"
  Delete "$INSTDIR\Vedrokan.gkf"
  Delete "$INSTDIR\Vedrokan.gkl"
  Delete "$INSTDIR\Vedrokan.tsv"
  Delete "$INSTDIR\Vedrokan.ttf"
  Delete "$INSTDIR\OFL.txt"
  Delete "$INSTDIR\README.txt"
  ; An earlier version's 32-bit helper, whose hook library programs that
  ; took keyboard input can keep mapped: it goes at the next restart.
  Delete /REBOOTOK "$INSTDIR\x86\tolvar32.exe"
  Delete /REBOOTOK "$INSTDIR\x86\tvkhook.dll"
  RMDir /REBOOTOK "$INSTDIR\x86"
  Delete "$INSTDIR\uninstall.exe"
  ; Not /r: files the user put there stay, and so does the folder then.
  RMDir /REBOOTOK "$INSTDIR"

  System::Call 'gdi32::RemoveFontResource(t "$FONTS\${FONT_FILE}") i'
  Delete /REBOOTOK "$FONTS\${FONT_FILE}"
  DeleteRegValue HKLM "${FONTS_KEY}" "${FONT_VALUE}"
  SendMessage ${HWND_BROADCAST} ${WM_FONTCHANGE} 0 0 /TIMEOUT=5000

  ; The settings of the user who uninstalls.
  SetShellVarContext current
  RMDir /r "$APPDATA\Tolvar"

  ; Last, so that a missing entry means the uninstall has ended.
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
