#!/bin/bash
# A DLL named after a system one and planted beside the program (as in a
# Downloads folder, or the per-user folder the log-on start runs from) is never
# loaded: not by the main window, the folder dialog, the help window, a screen
# reader's questions, the unmount mode nor the start-up run. Wine is told to
# prefer such a DLL, as Windows does for any DLL that is not one of its known
# ones. Planted: every DLL a run loads in any mode (WINEDEBUG=+loaddll) but
# those Wine's own loader takes from beside the program before the program's
# first instruction, whatever the program asks: user32, gdi32, msvcrt, imm32,
# advapi32 and sechost, which are known DLLs on Windows, and win32u, ucrtbase,
# version and zlib1, which the exe's load configuration keeps to System32 on
# Windows (Wine does not read it).
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

SETUP_BUTTON="104 60"; HELP_BUTTON="170 60"; BROWSE="358 58"
SETUP="Mount @ Win Startup"
names="uxtheme shell32 ole32 shlwapi comctl32 msimg32 combase rpcrt4 shcore oleaut32 oleacc actxprxy"
for name in $names; do cp "$(dirname "$dosdev")/planted.dll" "$work/$name.dll"; done
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}$(tr ' ' ',' <<<"$names")=n,b"
loaded() { (cd "$work" && ls ./*.loaded 2>/dev/null | tr '\n' ' '); }
msaa="$(dirname "$dosdev")/msaa.exe"

mkdir -p "$work/Folder A"
start_tavrik Ombrilo "$(winepath -w "$work/Folder A")" || { fail "no main window; loaded: $(loaded)"; journey_end; }
click_at Ombrilo $HELP_BUTTON
check "the help window opens" 'wait_window Help 1'
keys Escape
check "and closes" 'wait_gone Help 2'
click_at Ombrilo $SETUP_BUTTON
check "the setup window opens" 'wait_window "$SETUP" 1'
click_at "$SETUP" $BROWSE
check "the folder dialog opens" 'wait_window "Browse for Folder" 2'
shot folder-dialog
keys Escape
keys Escape
check "the windows close" 'wait_gone "$SETUP" 2'
# What a screen reader asks loads the accessibility DLLs.
wine "$msaa" dump Ombrilo >/dev/null 2>&1
check "no planted DLL loaded by the windows" '[ -z "$(loaded)" ]'
stop_tavrik

run_tavrik -Q
check "no planted DLL loaded by the unmount mode" '[ -z "$(loaded)" ]'

printf 'q: \t%s\r\n' "$(winepath -w "$work/Folder A")" >"$work/mount.ini"
free_letters Q
run_tavrik /ini
check "the start-up run bound its pair" grep -q '^\\??\\' < <(dos query Q:)
free_letters Q
check "no planted DLL loaded by the start-up run" '[ -z "$(loaded)" ]'


journey_end
