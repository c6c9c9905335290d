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
; silent install does not start Tolvar with Windows. It ends with status 0
; when every file is in place, else with status 2 and the reason on its
; standard error. Silent uninstall: uninstall.exe /S.

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

; The uninstaller's lines for the language folders, listed from the laid-out
; folder (both builds ship the same ones).
!tempfile LANGUAGES_NSH
!ifdef WIN64_DIR
  !system '"${__FILEDIR__}/uninstall_list.sh" "${WIN64_DIR}" >"${LANGUAGES_NSH}"' = 0
!else
  !system '"${__FILEDIR__}/uninstall_list.sh" "${WIN32_DIR}" >"${LANGUAGES_NSH}"' = 0
!endif

!define PUBLISHER "Tolvar developers"
!define WINDOW_CLASS "Tolvar"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvar"
!define FONTS_KEY "Software\Microsoft\Windows NT\CurrentVersion\Fonts"
!define FONT_FILE "Vedrokan.ttf"
; The font's full name, as Windows' own font installer names the value.
!define FONT_VALUE "Vedrokan Regular (TrueType)"
; A folder outside Program Files gets the access Program Files gives:
; administrators and SYSTEM change it, users (and app containers, into whose
; programs the hook library is mapped too) read and run it; nothing inherited,
; owned by the administrators. Well-known SIDs, the same in every language.
!define FOLDER_SDDL "O:S-1-5-32-544D:P(A;OICI;FA;;;S-1-5-18)(A;OICI;FA;;;S-1-5-32-544)(A;OICI;0x1200a9;;;S-1-5-32-545)(A;OICI;0x1200a9;;;S-1-15-2-1)(A;OICI;0x1200a9;;;S-1-15-2-2)"
; How many copies of one program an update may leave aside, still held by
; running programs, until the next restart removes them.
!define ASIDE_MAX 5

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
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 The Tolvar developers, MIT License"

!define MUI_ABORTWARNING
; The MIT License asks for no consent: the page shows it with Next, not "I Agree".
!ifdef WIN64_DIR
  !define LICENSE_FILE "${WIN64_DIR}\LICENSE.txt"
!else
  !define LICENSE_FILE "${WIN32_DIR}\LICENSE.txt"
!endif
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Tolvar is free software under the MIT License; the Vedrokan font is under the SIL Open Font License (OFL.txt)."
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup will install Tolvar ${VERSION} in the folder below. Outside Program Files, choose a folder that does not exist yet: setup makes it so that only administrators can change it, as in Program Files."
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
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

; Ends setup with the message in $R9 and status 2: in a box when setup shows
; its pages, else on the standard error of whoever started it, since a silent
; setup shows no box.
Function Fail
  ${If} ${Silent}
    System::Call 'kernel32::GetStdHandle(i -12) p .r0'
    ${If} $0 <> 0
    ${AndIf} $0 <> -1
      FileWrite $0 "tolvar setup: $R9$\r$\n"
    ${EndIf}
  ${Else}
    MessageBox MB_ICONSTOP "$R9"
  ${EndIf}
  SetErrorLevel 2
  Abort "$R9"
FunctionEnd

; $R0 made a full path as Windows reads it ("C:\Program Files\..\X" is
; C:\X), without a trailing backslash.
Function FullPath
  System::Call 'kernel32::GetFullPathNameW(w R0, i ${NSIS_MAX_STRLEN}, w .R1, p 0) i .R2'
  ${If} $R2 > 0
  ${AndIf} $R2 < ${NSIS_MAX_STRLEN}
    StrCpy $R0 $R1
  ${EndIf}
  StrCpy $R1 $R0 1 -1
  StrLen $R2 $R0
  ${If} $R1 == "\"
  ${AndIf} $R2 > 3
    StrCpy $R0 $R0 -1
  ${EndIf}
FunctionEnd

; $R8 = 1 when $INSTDIR lies inside FOLDER (not FOLDER itself).
!macro INSIDE_FOLDER folder
  StrLen $R4 "${folder}\"
  StrCpy $R5 $INSTDIR $R4
  ${IfThen} $R5 == "${folder}\" ${|} StrCpy $R8 1 ${|}
!macroend

; Makes $INSTDIR a full path and decides where it lies: $R8 = 1 inside
; Program Files or the Windows folder, whose access Windows sets, else 0;
; $R7 = 1 when it is the folder of the installed Tolvar; $R9 = why setup
; cannot install there, or "". Outside those places setup installs only into
; a folder it makes itself, with the access it chooses, or where Tolvar is:
; an existing folder may belong to a user, who could change it at will.
Function CheckInstallFolder
  StrCpy $R0 $INSTDIR
  Call FullPath
  StrCpy $INSTDIR $R0
  StrCpy $R8 0
  !insertmacro INSIDE_FOLDER "$PROGRAMFILES"
  !insertmacro INSIDE_FOLDER "$PROGRAMFILES64"
  !insertmacro INSIDE_FOLDER "$WINDIR"
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCpy $R7 0
  ${If} $R0 != ""
    Call FullPath
    ${IfThen} $R0 == $INSTDIR ${|} StrCpy $R7 1 ${|}
  ${EndIf}
  StrCpy $R9 ""
  ${If} $R8 = 0
  ${AndIf} $R7 = 0
  ${AndIf} ${FileExists} "$INSTDIR\*.*"
    StrCpy $R9 "$INSTDIR already exists. Outside Program Files, Tolvar installs only into a new folder, which setup makes so that only administrators can change it. Choose a folder that does not exist yet."
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  Call CheckInstallFolder
  ${If} $R9 != ""
    MessageBox MB_ICONEXCLAMATION "$R9"
    Abort
  ${EndIf}
FunctionEnd

; Outside Program Files and the Windows folder, users may change what the
; folder inherits: the outermost folder that setup makes gets FOLDER_SDDL
; from its creation on, so no user can open it before it is closed; the
; folder of an earlier install gets it set (its files inherit it).
Function ProtectFolder
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${FOLDER_SDDL}", i 1, *p .R5, p 0) i .R0'
  ${If} $R0 = 0
    StrCpy $R9 "Windows could not read the access setup gives $INSTDIR; nothing was installed."
    Call Fail
  ${EndIf}
  ; The outermost folder of $INSTDIR that does not exist yet.
  StrCpy $R3 ""
  StrCpy $R4 $INSTDIR
  ${DoUntil} ${FileExists} "$R4\*.*"
    StrCpy $R3 $R4
    ${GetParent} $R4 $R4
    ${IfThen} $R4 == "" ${|} ${ExitDo} ${|}
  ${Loop}
  ${If} $R3 == ""
    System::Call 'advapi32::GetSecurityDescriptorOwner(p R5, *p .R1, *i .R2) i'
    System::Call 'advapi32::GetSecurityDescriptorDacl(p R5, *i .R2, *p .R4, *i .R2) i'
    ; OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
    ; PROTECTED_DACL_SECURITY_INFORMATION
    System::Call 'advapi32::SetNamedSecurityInfoW(w "$INSTDIR", i 1, i 0x80000005, p R1, p 0, p R4, p 0) i .R0'
    ${If} $R0 <> 0
      System::Call 'kernel32::LocalFree(p R5)'
      StrCpy $R9 "Windows refused to let only administrators change $INSTDIR (error $R0); nothing was installed."
      Call Fail
    ${EndIf}
  ${Else}
    ; SECURITY_ATTRIBUTES of a 32-bit program: length, descriptor, inherit.
    System::Call '*(i 12, p R5, i 0) p .R1'
    System::Call 'kernel32::CreateDirectoryW(w R3, p R1) i .R0 ?e'
    Pop $R2
    System::Free $R1
    ${If} $R0 = 0
      System::Call 'kernel32::LocalFree(p R5)'
      StrCpy $R9 "Windows could not make the folder $R3 (error $R2); nothing was installed."
      Call Fail
    ${EndIf}
  ${EndIf}
  System::Call 'kernel32::LocalFree(p R5)'
FunctionEnd

; A running program can hold a program or library of the folder (the hook
; library is mapped into every program that takes keys). Windows renames such
; a file but does not write it: the old one moves aside to NAME.old1 (.old2
; and on while earlier ones are still held) and is removed at once, or at the
; next restart, and the new one goes in its place. So no program of the
; folder is ever left from the version before.
Function MoveAside
  ${IfNot} ${FileExists} $R0
    Return
  ${EndIf}
  ${For} $R1 1 ${ASIDE_MAX}
    ; One an earlier update left, which its programs may have let go of.
    Delete "$R0.old$R1"
    ${IfNot} ${FileExists} "$R0.old$R1"
      ClearErrors
      Rename $R0 "$R0.old$R1"
      ${If} ${Errors}
        StrCpy $R9 "Setup could not replace $R0: a program has it open. Close that program and run setup again."
        Call Fail
      ${EndIf}
      Delete "$R0.old$R1"
      ${If} ${FileExists} "$R0.old$R1"
        ; MOVEFILE_DELAY_UNTIL_REBOOT. The new file is in place already:
        ; setup asks for no restart.
        System::Call 'kernel32::MoveFileExW(w "$R0.old$R1", p 0, i 4) i'
      ${EndIf}
      Return
    ${EndIf}
  ${Next}
  StrCpy $R9 "Setup could not replace $R0: running programs hold it and ${ASIDE_MAX} older copies of it. Restart Windows and run setup again."
  Call Fail
FunctionEnd

; NSIS leaves a file it cannot write as it was when setup is silent: a
; failure ends setup instead.
!macro PUT_FILE dir name
  ClearErrors
  File "${dir}\${name}"
  ${If} ${Errors}
    StrCpy $R9 "Setup could not write $OUTDIR\${name}: a program has it open. Close that program and run setup again."
    Call Fail
  ${EndIf}
!macroend

!macro PUT_PROGRAM dir name
  StrCpy $R0 "$OUTDIR\${name}"
  Call MoveAside
  !insertmacro PUT_FILE "${dir}" "${name}"
!macroend

; A program of the folder, and the copies an update moved aside (see
; MoveAside); one that a running program still holds goes at the next restart.
!macro DELETE_PROGRAM path
  Delete /REBOOTOK "${path}"
  ${For} $1 1 ${ASIDE_MAX}
    Delete /REBOOTOK "${path}.old$1"
  ${Next}
!macroend

!macro INSTALL_FILES dir
  SetOutPath "$INSTDIR"
  ; The library first: a program that holds it leaves the old one aside.
  !insertmacro PUT_PROGRAM "${dir}" tvkhook.dll
  !insertmacro PUT_PROGRAM "${dir}" tolvar.exe
  !insertmacro PUT_FILE "${dir}" tolvar.html
  !insertmacro PUT_FILE "${dir}" Vedrokan.gkf
  !insertmacro PUT_FILE "${dir}" Vedrokan.gkl
  !insertmacro PUT_FILE "${dir}" Vedrokan.tsv
  !insertmacro PUT_FILE "${dir}" Vedrokan.ttf
  !insertmacro PUT_FILE "${dir}" OFL.txt
  !insertmacro PUT_FILE "${dir}" README.txt
  !insertmacro PUT_FILE "${dir}" LICENSE.txt
  ; The word suggestions' data and its licences.
  SetOutPath "$INSTDIR\suggest"
  !insertmacro PUT_FILE "${dir}\suggest" romanization.model
  !insertmacro PUT_FILE "${dir}\suggest" hi.words
  !insertmacro PUT_FILE "${dir}\suggest" mr.words
  !insertmacro PUT_FILE "${dir}\suggest" ne.words
  !insertmacro PUT_FILE "${dir}\suggest" LICENCE.txt
  !insertmacro PUT_FILE "${dir}\suggest" GPL-2.txt
  !insertmacro PUT_FILE "${dir}\suggest" LGPL-2.1.txt
  ; Every language folder, which the Language menu lists.
  SetOutPath "$INSTDIR"
  File /r "${dir}\languages"
  ; An installed font file stays in use until the system lets go of it: an
  ; update keeps the one there.
  SetOutPath "$FONTS"
  SetOverwrite try
  File "${dir}\${FONT_FILE}"
  SetOverwrite on
!macroend

Section "Tolvar" SecTolvar
  SectionIn RO
  Call CheckInstallFolder
  ${IfThen} $R9 != "" ${|} Call Fail ${|}
  Call CloseTolvar
  ${IfThen} $R8 = 0 ${|} Call ProtectFolder ${|}
  ${If} ${RunningX64}
!ifdef WIN64_DIR
    !insertmacro INSTALL_FILES "${WIN64_DIR}"
    ; An earlier version's 32-bit helper, which nothing needs any more.
    !insertmacro DELETE_PROGRAM "$INSTDIR\x86\tolvar32.exe"
    !insertmacro DELETE_PROGRAM "$INSTDIR\x86\tvkhook.dll"
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

  !insertmacro DELETE_PROGRAM "$INSTDIR\tolvar.exe"
  !insertmacro DELETE_PROGRAM "$INSTDIR\tvkhook.dll"
  Delete "$INSTDIR\tolvar.html"
  Delete "$INSTDIR\Vedrokan.gkf"
  Delete "$INSTDIR\Vedrokan.gkl"
  Delete "$INSTDIR\Vedrokan.tsv"
  Delete "$INSTDIR\Vedrokan.ttf"
  Delete "$INSTDIR\OFL.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\suggest\romanization.model"
  Delete "$INSTDIR\suggest\hi.words"
  Delete "$INSTDIR\suggest\mr.words"
  Delete "$INSTDIR\suggest\ne.words"
  Delete "$INSTDIR\suggest\LICENCE.txt"
  Delete "$INSTDIR\suggest\GPL-2.txt"
  Delete "$INSTDIR\suggest\LGPL-2.1.txt"
  RMDir "$INSTDIR\suggest"
  !include "${LANGUAGES_NSH}"
  !delfile "${LANGUAGES_NSH}"
  ; An earlier version's 32-bit helper, whose hook library programs that
  ; took keyboard input can keep mapped: it goes at the next restart.
  !insertmacro DELETE_PROGRAM "$INSTDIR\x86\tolvar32.exe"
  !insertmacro DELETE_PROGRAM "$INSTDIR\x86\tvkhook.dll"
  RMDir /REBOOTOK "$INSTDIR\x86"
  Delete "$INSTDIR\uninstall.exe"
  ; Not /r: files the user put there stay, and so does the folder then.
  RMDir /REBOOTOK "$INSTDIR"

  System::Call 'gdi32::RemoveFontResource(t "$FONTS\${FONT_FILE}") i'
  Delete /REBOOTOK "$FONTS\${FONT_FILE}"
  DeleteRegValue HKLM "${FONTS_KEY}" "${FONT_VALUE}"
  SendMessage ${HWND_BROADCAST} ${WM_FONTCHANGE} 0 0 /TIMEOUT=5000

  ; The settings of the account the uninstaller runs as. That is the user's
  ; own when an administrator uninstalls; when a standard user gives an
  ; administrator's password it is that administrator's, and the user's file
  ; stays: an elevated program reaches into no other account's folders. Only
  ; the file Tolvar writes, then the folder if nothing else is in it (a
  ; recursive delete would take what the user keeps there, and follows
  ; junctions).
  SetShellVarContext current
  Delete "$APPDATA\Tolvar\tolvar.ini"
  Delete "$APPDATA\Tolvar\user-words.txt"
  RMDir "$APPDATA\Tolvar"

  ; Last, so that a missing entry means the uninstall has ended.
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
