; The Varimo installer: puts gen_Varimo.dll and its help page into the Plugins folder of the
; host player and registers an uninstaller. scripts/package builds it with
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.62 -DDLL=... -DHELP=... -DHELP_EN=... -DOUTFILE=... varimo.nsi
; Silent use: setup.exe /S [/D=host folder]; the uninstaller takes /S as well.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
; A file that cannot be written must stop the installation, not be skipped.
AllowSkipFiles off

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define HOST_CLASS "Winamp v1.x"
!define HOST_PROGRAM "winamp.exe"
!define HOST_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varimo"
; The uninstaller lives outside the host's folder, so that the host folder gains exactly the
; two files of the plug-in.
!define UNINSTALLER_FOLDER "$PROGRAMFILES\Varimo"
!define UNINSTALLER "${UNINSTALLER_FOLDER}\uninstall.exe"

Name "Varimo ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Varimo ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

Var HostFolder

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "$(TextWelcome)"
!insertmacro MUI_PAGE_WELCOME
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(TextChooseHost)"
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "$(TextHostFolder)"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE HostFolderLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(TextFinished)"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used where the system's is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString TextWelcome ${LANG_ENGLISH} "This installs Varimo ${VERSION}, the album plug-in for Winamp 2.x (gen_Varimo.dll and its help pages gen_Varimo.htm and gen_Varimo.en.htm), into the Plugins folder of Winamp.$\r$\n$\r$\nPlease close Winamp before you go on. An existing settings file gen_Varimo.ini is kept as it is.$\r$\n$\r$\n$_CLICK"
LangString TextWelcome ${LANG_JAPANESE} "Winamp 2.x 用のアルバムプラグイン Varimo ${VERSION} (gen_Varimo.dll とヘルプ gen_Varimo.htm、gen_Varimo.en.htm) を Winamp の Plugins フォルダにインストールします。$\r$\n$\r$\n続ける前に Winamp を終了してください。設定ファイル gen_Varimo.ini があれば、そのまま残ります。$\r$\n$\r$\n$_CLICK"
LangString TextChooseHost ${LANG_ENGLISH} "Choose the folder Winamp is installed in (the folder that holds winamp.exe). The plug-in goes into its Plugins folder."
LangString TextChooseHost ${LANG_JAPANESE} "Winamp がインストールされているフォルダ (winamp.exe のあるフォルダ) を選んでください。プラグインはその中の Plugins フォルダに入ります。"
LangString TextHostFolder ${LANG_ENGLISH} "Winamp folder"
LangString TextHostFolder ${LANG_JAPANESE} "Winamp のフォルダ"
LangString TextFinished ${LANG_ENGLISH} "Varimo is ready the next time Winamp starts. Press F1 in its window for help."
LangString TextFinished ${LANG_JAPANESE} "Varimo は次に Winamp を起動したときから使えます。Varimo のウィンドウで F1 を押すとヘルプが開きます。"
LangString TextNoHost ${LANG_ENGLISH} "There is no Winamp (winamp.exe) in this folder:$\r$\n$INSTDIR$\r$\n$\r$\nPlease choose the folder Winamp is installed in."
LangString TextNoHost ${LANG_JAPANESE} "このフォルダには Winamp (winamp.exe) がありません:$\r$\n$INSTDIR$\r$\n$\r$\nWinamp がインストールされているフォルダを選んでください。"
LangString TextHostRunning ${LANG_ENGLISH} "Winamp is running, and its plug-ins cannot be replaced while it runs.$\r$\n$\r$\nPlease close Winamp, then press Retry."
LangString TextHostRunning ${LANG_JAPANESE} "Winamp が起動しているため、プラグインを入れ替えられません。$\r$\n$\r$\nWinamp を終了してから「再試行」を押してください。"
LangString TextNotInstalled ${LANG_ENGLISH} "Varimo's record of where it was installed is missing; there is nothing to remove."
LangString TextNotInstalled ${LANG_JAPANESE} "Varimo のインストール先の記録がないため、削除するものがありません。"
LangString TextNotRemoved ${LANG_ENGLISH} "Could not remove $0.$\r$\nPlease close Winamp and uninstall again."
LangString TextNotRemoved ${LANG_JAPANESE} "$0 を削除できませんでした。$\r$\nWinamp を終了してから、もう一度アンインストールしてください。"

; $0 := the folder of the program that the command line $0 starts.
!macro FolderOfCommand
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
!macroend

; $INSTDIR := the host's folder as its installer recorded it: the user's key first, then the
; uninstall entries of the machine and of the user, else the usual place.
Function FindHostFolder
  ReadRegStr $0 HKCU "Software\Winamp" ""
  ${If} ${FileExists} "$0\${HOST_PROGRAM}"
    StrCpy $INSTDIR $0
    Return
  ${EndIf}
  ReadRegStr $0 HKLM "${HOST_UNINSTALL_KEY}" "UninstallString"
  !insertmacro FolderOfCommand
  ${If} ${FileExists} "$0\${HOST_PROGRAM}"
    StrCpy $INSTDIR $0
    Return
  ${EndIf}
  ReadRegStr $0 HKCU "${HOST_UNINSTALL_KEY}" "UninstallString"
  !insertmacro FolderOfCommand
  ${If} ${FileExists} "$0\${HOST_PROGRAM}"
    StrCpy $INSTDIR $0
    Return
  ${EndIf}
  StrCpy $INSTDIR "$PROGRAMFILES\Winamp"
FunctionEnd

; Waits for the user to close a running host; the error flag is set when they cancel (in
; silent mode at once, since nobody is there to close it).
!macro WaitForClosedHost un
  Function ${un}WaitForClosedHost
    ClearErrors
    retry:
      FindWindow $0 "${HOST_CLASS}"
      IntCmp $0 0 closed
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(TextHostRunning)" /SD IDCANCEL IDRETRY retry
      SetErrors
    closed:
  FunctionEnd
!macroend
!insertmacro WaitForClosedHost ""
!insertmacro WaitForClosedHost "un."

Function .onInit
  ; /D= sets the folder before this runs; without it the host's records decide.
  ${If} $INSTDIR == ""
    Call FindHostFolder
  ${EndIf}
FunctionEnd

Function HostFolderLeave
  ${IfNot} ${FileExists} "$INSTDIR\${HOST_PROGRAM}"
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(TextNoHost)"
    Abort
  ${EndIf}
  Call WaitForClosedHost
  ${If} ${Errors}
    Abort
  ${EndIf}
FunctionEnd

Section "Varimo"
  ${IfNot} ${FileExists} "$INSTDIR\${HOST_PROGRAM}"
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(TextNoHost)" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  Call WaitForClosedHost
  ${If} ${Errors}
    SetErrorLevel 2
    Abort
  ${EndIf}

  ; No settings file is shipped: the user's gen_Varimo.ini stays untouched.
  SetOutPath "$INSTDIR\Plugins"
  SetOverwrite on
  File "/oname=gen_Varimo.dll" "${DLL}"
  File "/oname=gen_Varimo.htm" "${HELP}"
  File "/oname=gen_Varimo.en.htm" "${HELP_EN}"

  CreateDirectory "${UNINSTALLER_FOLDER}"
  WriteUninstaller "${UNINSTALLER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Varimo ${VERSION} (Winamp plug-in)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  ReadRegStr $HostFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $HostFolder == ""
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(TextNotInstalled)" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  ; The confirmation page names the host's folder, where the files are removed.
  StrCpy $INSTDIR $HostFolder
FunctionEnd

; Removes the file $0, or stops the uninstallation with a message.
Function un.RemoveFile
  Delete $0
  ${If} ${FileExists} $0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(TextNotRemoved)" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.WaitForClosedHost
  ${If} ${Errors}
    SetErrorLevel 2
    Abort
  ${EndIf}
  ; gen_Varimo.ini holds the user's settings and stays.
  StrCpy $0 "$HostFolder\Plugins\gen_Varimo.dll"
  Call un.RemoveFile
  StrCpy $0 "$HostFolder\Plugins\gen_Varimo.htm"
  Call un.RemoveFile
  StrCpy $0 "$HostFolder\Plugins\gen_Varimo.en.htm"
  Call un.RemoveFile
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "${UNINSTALLER}"
  RMDir "${UNINSTALLER_FOLDER}"
SectionEnd
