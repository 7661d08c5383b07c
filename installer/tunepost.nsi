; Installer of the Tunepost Open plug-in: finds the player's folder, closes the running
; player, copies gen_tunepost.dll and the guides into its Plugins folder (the user's .ini and
; .script are never touched) and registers an uninstaller in Add/Remove Programs.
;
; Built by CMake: makensis -INPUTCHARSET UTF8 -DVERSION=1.54 -DMODULE=... -DGUIDE_RU=...
;   -DGUIDE_EN=... -DOUTFILE=... tunepost.nsi
;
; Command line of the installer:   /S silent; /D=FOLDER the player's folder (last, no quotes).
; Command line of the uninstaller: /S silent; /REMOVESETTINGS also removes the settings and
;   the script without asking (a silent uninstall keeps them otherwise).
; Exit codes: 0 done, 1 cancelled by the user, 2 failed (no player in the folder, the player
;   would not close, a file could not be written or removed).

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef VERSION
  !error "VERSION must be defined"
!endif
!ifndef MODULE
  !error "MODULE must name gen_tunepost.dll"
!endif
!ifndef OUTFILE
  !define OUTFILE "tunepost-open-${VERSION}-setup.exe"
!endif

!define PRODUCT "Tunepost Open"
!define PLAYER_EXE "winamp.exe"
!define PLAYER_CLASS "Winamp v1.x"
!define UNINSTALLER "uninstall_tunepost.exe"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tunepost Open"
!define PLAYER_UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp"
; Waiting for the player to close and for a file to be released: rounds of 250 ms.
!define CLOSE_ROUNDS 40
!define FILE_ROUNDS 20

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; Left empty: .onInit finds the player's folder unless /D= gave one.
InstallDir ""
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup (ICQ client status plug-in for Winamp)"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PRODUCT} developers"

!define MUI_ABORTWARNING
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(DirectoryText)"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "English"

LangString DirectoryText ${LANG_RUSSIAN} "Выберите папку, в которой установлен Winamp (в ней есть ${PLAYER_EXE}). Модуль будет скопирован в её подпапку Plugins."
LangString DirectoryText ${LANG_ENGLISH} "Choose the folder where Winamp is installed (the one holding ${PLAYER_EXE}). The plug-in is copied into its Plugins folder."
LangString NoPlayer ${LANG_RUSSIAN} "В папке $INSTDIR нет ${PLAYER_EXE}. Выберите папку, в которой установлен Winamp."
LangString NoPlayer ${LANG_ENGLISH} "$INSTDIR holds no ${PLAYER_EXE}. Choose the folder where Winamp is installed."
LangString PlayerRunning ${LANG_RUSSIAN} "Winamp запущен. Нажмите OK, чтобы закрыть его и продолжить, или Отмена, чтобы прервать."
LangString PlayerRunning ${LANG_ENGLISH} "Winamp is running. Choose OK to close it and go on, or Cancel to stop."
LangString PlayerStays ${LANG_RUSSIAN} "Winamp не закрылся. Закройте его и нажмите Повтор, или нажмите Отмена."
LangString PlayerStays ${LANG_ENGLISH} "Winamp did not close. Close it and choose Retry, or choose Cancel."
LangString FileBusy ${LANG_RUSSIAN} "Не удалось записать или удалить файл:"
LangString FileBusy ${LANG_ENGLISH} "Could not write or remove the file:"
LangString RemoveSettings ${LANG_RUSSIAN} "Удалить и ваши настройки и скрипт (gen_tunepost.dll.ini и gen_tunepost.dll.script)?"
LangString RemoveSettings ${LANG_ENGLISH} "Remove your settings and script as well (gen_tunepost.dll.ini and gen_tunepost.dll.script)?"

; ---- shared by installer and uninstaller ----

; Asks the running player to close (WM_CLOSE to its main window) and waits until its window
; has gone; after a user's Cancel, or when it stays in silent mode, quits with code 1 or 2.
!macro DefineClosePlayer un
Function ${un}ClosePlayer
  FindWindow $0 "${PLAYER_CLASS}"
  ${If} $0 == 0
    Return
  ${EndIf}
  MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$(PlayerRunning)" /SD IDOK IDOK close
  SetErrorLevel 1
  Quit
close:
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  StrCpy $1 0
  ${Do}
    Sleep 250
    FindWindow $0 "${PLAYER_CLASS}"
    ${If} $0 == 0
      ; The window goes before the player unloads its plug-ins: a moment more for that.
      Sleep 500
      Return
    ${EndIf}
    IntOp $1 $1 + 1
    ${If} $1 >= ${CLOSE_ROUNDS}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(PlayerStays)" /SD IDCANCEL IDRETRY close
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro DefineClosePlayer ""
!insertmacro DefineClosePlayer "un."

; Stops the installation with code 2 after telling the user which file failed.
!macro FailOnFile path
  MessageBox MB_OK|MB_ICONSTOP "$(FileBusy)$\r$\n${path}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

; ---- installer ----

; The player's folder from a path, possibly quoted and followed by arguments, of a file in it.
Function FolderOfCommand
  Exch $0
  Push $1
  StrCpy $1 $0 1
  ${If} $1 == '"'
    StrCpy $0 $0 "" 1
    StrCpy $1 0
    ${Do}
      StrCpy $2 $0 1 $1
      ${IfThen} $2 == '"' ${|} ${ExitDo} ${|}
      ${IfThen} $2 == "" ${|} ${ExitDo} ${|}
      IntOp $1 $1 + 1
    ${Loop}
    StrCpy $0 $0 $1
  ${EndIf}
  ${GetParent} $0 $0
  Pop $1
  Exch $0
FunctionEnd

Function .onInit
  ; /D= sets the folder before this runs.
  ${If} $INSTDIR != ""
    Return
  ${EndIf}
  ReadRegStr $0 HKLM "${PLAYER_UNINST_KEY}" "UninstallString"
  ${If} $0 != ""
    Push $0
    Call FolderOfCommand
    Pop $0
    ${If} ${FileExists} "$0\${PLAYER_EXE}"
      StrCpy $INSTDIR $0
      Return
    ${EndIf}
  ${EndIf}
  ReadRegStr $0 HKCU "Software\Winamp" ""
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\${PLAYER_EXE}"
    StrCpy $INSTDIR $0
    Return
  ${EndIf}
  StrCpy $INSTDIR "$PROGRAMFILES\Winamp"
FunctionEnd

; The directory page lets the user go on only with a folder that holds the player.
Function .onVerifyInstDir
  ${IfNot} ${FileExists} "$INSTDIR\${PLAYER_EXE}"
    Abort
  ${EndIf}
FunctionEnd

Section "Tunepost Open"
  ; Silent mode skips the directory page, so the folder is checked here as well.
  ${IfNot} ${FileExists} "$INSTDIR\${PLAYER_EXE}"
    MessageBox MB_OK|MB_ICONSTOP "$(NoPlayer)" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  Call ClosePlayer

  SetOutPath "$INSTDIR\Plugins"
  ; The player may hold the module a moment after its window has gone.
  SetOverwrite try
  StrCpy $1 0
  ${Do}
    ClearErrors
    File "/oname=gen_tunepost.dll" "${MODULE}"
    ${IfNotThen} ${Errors} ${|} ${ExitDo} ${|}
    IntOp $1 $1 + 1
    ${If} $1 >= ${FILE_ROUNDS}
      !insertmacro FailOnFile "$INSTDIR\Plugins\gen_tunepost.dll"
    ${EndIf}
    Sleep 250
  ${Loop}
  SetOverwrite on
!ifdef GUIDE_RU
  File "/oname=gen_tunepost-guide-ru.txt" "${GUIDE_RU}"
!endif
!ifdef GUIDE_EN
  File "/oname=gen_tunepost-guide-en.txt" "${GUIDE_EN}"
!endif
  ; No settings file and no script are shipped: the module starts from its built-in
  ; defaults, and a user's gen_tunepost.dll.ini and gen_tunepost.dll.script stay as they are.

  ClearErrors
  WriteUninstaller "$INSTDIR\Plugins\${UNINSTALLER}"
  ${If} ${Errors}
    !insertmacro FailOnFile "$INSTDIR\Plugins\${UNINSTALLER}"
  ${EndIf}
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT} ${VERSION} (Winamp plug-in)"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PRODUCT} developers"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR\Plugins"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Plugins\gen_tunepost.dll"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR\Plugins" "/M=gen_tunepost*.* /S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

; ---- uninstaller: $INSTDIR is the Plugins folder that holds it; its language, like the
; installer's, is the user's own when it is Russian or English ----

Section "Uninstall"
  Call un.ClosePlayer

  StrCpy $1 0
  ${Do}
    ClearErrors
    Delete "$INSTDIR\gen_tunepost.dll"
    ${IfNotThen} ${FileExists} "$INSTDIR\gen_tunepost.dll" ${|} ${ExitDo} ${|}
    IntOp $1 $1 + 1
    ${If} $1 >= ${FILE_ROUNDS}
      !insertmacro FailOnFile "$INSTDIR\gen_tunepost.dll"
    ${EndIf}
    Sleep 250
  ${Loop}
  Delete "$INSTDIR\gen_tunepost-guide-ru.txt"
  Delete "$INSTDIR\gen_tunepost-guide-en.txt"

  ; The user's own files: asked about; a silent uninstall keeps them unless /REMOVESETTINGS.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettings)" /SD IDNO IDNO keep
  ${EndIf}
  Delete "$INSTDIR\gen_tunepost.dll.ini"
  Delete "$INSTDIR\gen_tunepost.dll.script"
keep:

  DeleteRegKey HKLM "${UNINST_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
SectionEnd
