; Per-user setup for Tavrik: no elevation, installed where the user can write,
; because the history and the start-up list live beside the exe.
;
; Built by CMake with makensis; it passes
;   -DVERSION=<major.minor.patch>  -DEXE=<Tavrik.exe>  -DICON=<Tavrik.ico>  -DOUTFILE=<setup exe>
;   [-DEXE64=<the 64-bit Tavrik.exe>]  [-DSIGN=<command that signs the file named after it>]
;
; Silent use:  Tavrik-<version>-setup.exe /S
;              "%LOCALAPPDATA%\Programs\Tavrik\Uninstall.exe" /S

Unicode true
!include "FileFunc.nsh"
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

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Tavrik"
  SetShellVarContext current
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

  ; The folder's context-menu verb. The program takes its whole command-line
  ; tail as the folder and does not unquote it, so the placeholder stays
  ; unquoted: the shell puts the folder's full path in place of %1 as it is,
  ; blanks and all, and adds no quotes ("%1" would hand over the quotes, and
  ; the folder test would fail). %L gives the same path; %V is left out
  ; because not every shell expands it for a folder.
  WriteRegStr HKCU "${VERB_KEY}" "" "Mount"
  WriteRegStr HKCU "${VERB_KEY}" "Icon" "$INSTDIR\Tavrik.exe,0"
  WriteRegStr HKCU "${VERB_KEY}\command" "" '"$INSTDIR\Tavrik.exe" %1'

  ; At log-on: the start-up run, which wants exactly "/ini" after the name.
  WriteRegStr HKCU "${RUN_KEY}" "Tavrik" '"$INSTDIR\Tavrik.exe" /ini'

  ; With no argument the main window lists and removes bindings.
  CreateShortCut "$SMPROGRAMS\Tavrik.lnk" "$INSTDIR\Tavrik.exe" "" "$INSTDIR\Tavrik.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tavrik"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tavrik.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tavrik"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; What the installed files take, in KB, as the list of installed programs shows it.
  ${GetSize} "$INSTDIR" "/M=*.exe /S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; The drives for programs run as administrator go with the program: their
  ; task, the bindings it made and its copy. The program asks to run as
  ; administrator only when the task is there.
  IfFileExists "$INSTDIR\Tavrik.exe" 0 +2
    ExecWait '"$INSTDIR\Tavrik.exe" /elevated off'
  DeleteRegKey HKCU "${VERB_KEY}"
  DeleteRegValue HKCU "${RUN_KEY}" "Tavrik"
  Delete "$SMPROGRAMS\Tavrik.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  ; Only what setup put there: Tavrik.ini and mount.ini are the user's
  ; history and start-up list and stay, and so does the folder holding them.
  Delete "$INSTDIR\Tavrik.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
