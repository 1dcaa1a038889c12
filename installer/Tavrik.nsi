; Setup for Tavrik, for the user alone (the default: no elevation, installed
; where the user can write, the lists beside the exe) or for all users of the
; machine (/ALLUSERS, or the choice on the first page, which asks for
; administrator rights: installed in Program Files, registered under HKLM,
; and each user's lists kept in %APPDATA%\Tavrik, as the mark beside the exe
; tells the program).
;
; Built by CMake with makensis; it passes
;   -DVERSION=<major.minor.patch>  -DEXE=<Tavrik.exe>  -DICON=<Tavrik.ico>  -DOUTFILE=<setup exe>
;   [-DEXE64=<the 64-bit Tavrik.exe>]  [-DSIGN=<command that signs the file named after it>]
;
; Silent use:  Tavrik-<version>-setup.exe /S             for the user
;              Tavrik-<version>-setup.exe /S /ALLUSERS   for all users, run as administrator
;              "<the install folder>\Uninstall.exe" /S

Unicode true
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "nsDialogs.nsh"
!include "x64.nsh"
SetCompressor /SOLID lzma
RequestExecutionLevel user

!ifndef VERSION | EXE | ICON | OUTFILE
  !error "VERSION, EXE, ICON and OUTFILE must be defined"
!endif

; With -DSIGN=<command>, the command signs the uninstaller as it is written
; into the setup, and the setup once it is whole ("%1": the file).
!ifdef SIGN
  !uninstfinalize '${SIGN} "%1"'
  !finalize '${SIGN} "%1"'
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrik"
!define VERB_KEY "Software\Classes\Directory\shell\Mount"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Where an all-users Tavrik says it is installed, by this setup or the MSI.
!define MACHINE_KEY "Software\Tavrik"
; The mark beside the exe that keeps each user's lists in %APPDATA%\Tavrik.
!define ALLUSERS_MARK "Tavrik.allusers"
; The program's own step run as administrator for an all-users install.
!define ALLUSERS_SETUP "/all-users-setup"

Var AllUsers  ; 1: for all users of the machine
Var ScopeMe
Var ScopeAll
Var OnPage    ; 1: the choice comes from the first page

Name "Tavrik ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
; $LOCALAPPDATA is the current user's (shell variable context "current").
InstallDir "$LOCALAPPDATA\Programs\Tavrik"
; An upgrade goes where the first install went, so the lists stay with the exe.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Tavrik"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Tavrik setup"
VIAddVersionKey "LegalCopyright" ""

Page custom ScopePage ScopePageLeave
Page directory DirectoryPre
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; $0: 1 when the setup runs with administrator rights.
!macro IS_ADMIN
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
!macroend

; Refused: one line, in a box unless silent, and the exit code 2; chosen on
; the first page, the page stays for another choice.
!macro REFUSE TEXT
  MessageBox MB_ICONSTOP|MB_OK "${TEXT}" /SD IDOK
  ${If} $OnPage == 1
    Abort
  ${EndIf}
  SetErrorLevel 2
  Quit
!macroend

; $0: the folder of an all-users install, by this setup or the MSI (either
; registry view: the 32-bit MSI writes to the 32-bit one); "" when none. The
; 64-bit view stays chosen on 64-bit Windows.
!macro MACHINE_INSTALL
  ReadRegStr $0 HKLM "${MACHINE_KEY}" "InstallLocation"
  ${If} ${RunningX64}
    SetRegView 64
    ${If} $0 == ""
      ReadRegStr $0 HKLM "${MACHINE_KEY}" "InstallLocation"
    ${EndIf}
  ${EndIf}
!macroend

; For all users: administrator rights (asked for once, by running this setup
; again as administrator), no per-user install and no MSI install in the way,
; and the machine's folders and keys.
Function ForAllUsers
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    !insertmacro REFUSE "Tavrik is installed for you only, in $0. Remove it first (Settings, Apps) to install it for all users."
  ${EndIf}
  !insertmacro IS_ADMIN
  ${If} $0 != 1
    ${If} ${Silent}
      !insertmacro REFUSE "Installing Tavrik for all users needs administrator rights."
    ${EndIf}
    ExecShell "runas" "$EXEPATH" "/ALLUSERS"
    Quit
  ${EndIf}
  StrCpy $AllUsers 1
  SetShellVarContext all
  ; Installed by the MSI: that package upgrades it, not this setup.
  !insertmacro MACHINE_INSTALL
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $1 == ""
    !insertmacro REFUSE "Tavrik is installed for all users by its Windows Installer package, in $0. Upgrade it with a newer package, or remove it first."
  ${EndIf}
  ${If} $1 != ""
    StrCpy $INSTDIR $1
  ${Else}
!ifdef EXE64
    ${If} ${RunningX64}
      StrCpy $INSTDIR "$PROGRAMFILES64\Tavrik"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\Tavrik"
    ${EndIf}
!else
    StrCpy $INSTDIR "$PROGRAMFILES\Tavrik"
!endif
  ${EndIf}
FunctionEnd

Function ForThisUser
  StrCpy $AllUsers 0
  SetShellVarContext current
  !insertmacro MACHINE_INSTALL
  SetRegView default
  ${If} $0 != ""
    !insertmacro REFUSE "Tavrik is installed for all users of this computer, in $0. It is not installed for you alone as well."
  ${EndIf}
  ; The user's own folder again, should the page have been left for all
  ; users before (a silent install keeps the folder /D= named).
  ${If} $OnPage == 1
    ReadRegStr $INSTDIR HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Tavrik"
    ${EndIf}
  ${EndIf}
FunctionEnd

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    Call ForAllUsers
  ${ElseIf} ${Silent}
    Call ForThisUser
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
FunctionEnd

; The first page: for whom. Skipped when /ALLUSERS said it already.
Function ScopePage
  ${If} $AllUsers == 1
    Abort
  ${EndIf}
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "Install Tavrik for:"
  Pop $0
  ${NSD_CreateRadioButton} 0 30u 100% 12u "&Just me (no administrator rights needed)"
  Pop $ScopeMe
  ${NSD_CreateRadioButton} 0 48u 100% 12u "&All users of this computer (needs administrator rights)"
  Pop $ScopeAll
  ${NSD_Check} $ScopeMe
  nsDialogs::Show
FunctionEnd

; Installed for all users, the program lives where only administrators can
; change it: every user's log-on runs it, and the uninstaller runs it as
; administrator. No other folder is offered.
Function DirectoryPre
  ${If} $AllUsers == 1
    Abort
  ${EndIf}
FunctionEnd

Function ScopePageLeave
  StrCpy $OnPage 1
  ${NSD_GetState} $ScopeAll $0
  ${If} $0 == ${BST_CHECKED}
    Call ForAllUsers
  ${Else}
    Call ForThisUser
  ${EndIf}
FunctionEnd

Section "Tavrik"
  SetOutPath "$INSTDIR"
  ; The program that matches Windows: the 64-bit one on 64-bit Windows.
!ifdef EXE64
  ${If} ${RunningX64}
    File "/oname=Tavrik.exe" "${EXE64}"
  ${Else}
    File "/oname=Tavrik.exe" "${EXE}"
  ${EndIf}
!else
  File "/oname=Tavrik.exe" "${EXE}"
!endif
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ${If} $AllUsers == 1
    FileOpen $0 "$INSTDIR\${ALLUSERS_MARK}" w
    FileWrite $0 "Installed for all users: each user's lists are kept in %APPDATA%\Tavrik.$\r$\n"
    FileClose $0
    WriteRegStr HKLM "${MACHINE_KEY}" "InstallLocation" "$INSTDIR"
    ; The folder of the administrator's list, which only administrators may change.
    ExecWait '"$INSTDIR\Tavrik.exe" ${ALLUSERS_SETUP}' $0
    ${If} $0 != 0
      DetailPrint "The folder of the administrator's list could not be protected: its list is not used."
    ${EndIf}
  ${Else}
    Delete "$INSTDIR\${ALLUSERS_MARK}"
  ${EndIf}

  ; The folder's context-menu verb. The program takes its whole command-line
  ; tail as the folder and does not unquote it, so the placeholder stays
  ; unquoted: the shell puts the folder's full path in place of %1 as it is,
  ; blanks and all, and adds no quotes ("%1" would hand over the quotes, and
  ; the folder test would fail). %L gives the same path; %V is left out
  ; because not every shell expands it for a folder.
  WriteRegStr SHCTX "${VERB_KEY}" "" "Mount"
  WriteRegStr SHCTX "${VERB_KEY}" "Icon" "$INSTDIR\Tavrik.exe,0"
  WriteRegStr SHCTX "${VERB_KEY}\command" "" '"$INSTDIR\Tavrik.exe" %1'

  ; At log-on (every user's, for all users): the start-up run, which wants
  ; exactly "/ini" after the name.
  WriteRegStr SHCTX "${RUN_KEY}" "Tavrik" '"$INSTDIR\Tavrik.exe" /ini'

  ; With no argument the main window lists and removes bindings.
  CreateShortCut "$SMPROGRAMS\Tavrik.lnk" "$INSTDIR\Tavrik.exe" "" "$INSTDIR\Tavrik.exe" 0

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Tavrik"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tavrik.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Tavrik"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ; What the installed files take, in KB, as the list of installed programs shows it.
  ${GetSize} "$INSTDIR" "/M=*.exe /S=0K /G=0" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  StrCpy $AllUsers 0
  ${If} ${FileExists} "$INSTDIR\${ALLUSERS_MARK}"
    StrCpy $AllUsers 1
    !insertmacro IS_ADMIN
    ${If} $0 != 1
      ${If} ${Silent}
        !insertmacro REFUSE "Removing Tavrik for all users needs administrator rights."
      ${EndIf}
      ExecShell "runas" "$EXEPATH" "_?=$INSTDIR"
      Quit
    ${EndIf}
    SetShellVarContext all
    ${If} ${RunningX64}
      SetRegView 64
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; The drives for programs run as administrator go with the program: their
  ; task, the bindings it made and its copy. The program asks to run as
  ; administrator only when the task is there.
  IfFileExists "$INSTDIR\Tavrik.exe" 0 +2
    ExecWait '"$INSTDIR\Tavrik.exe" /elevated off'
  DeleteRegKey SHCTX "${VERB_KEY}"
  DeleteRegValue SHCTX "${RUN_KEY}" "Tavrik"
  Delete "$SMPROGRAMS\Tavrik.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  ${If} $AllUsers == 1
    DeleteRegValue HKLM "${MACHINE_KEY}" "InstallLocation"
    DeleteRegKey /ifempty HKLM "${MACHINE_KEY}"
  ${EndIf}

  ; Only what setup put there: Tavrik.ini and mount.ini are the user's
  ; history and start-up list and stay, and so does the folder holding them;
  ; so do the administrator's list and its folder in %ProgramData%.
  Delete "$INSTDIR\Tavrik.exe"
  Delete "$INSTDIR\${ALLUSERS_MARK}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
