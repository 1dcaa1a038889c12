#!/bin/bash
# A DLL named after a system one and planted beside the program (as in a
# Downloads folder, or the per-user folder the log-on start runs from) is never
# loaded: not by the main window, the folder dialog, the help window, nor the
# start-up run. Wine is told to prefer such a DLL, as Windows does for any DLL
# that is not one of its known ones.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

SETUP_BUTTON="104 60"; HELP_BUTTON="170 60"; BROWSE="358 58"
SETUP="Mount @ Win Startup"
names="uxtheme shell32 ole32 shlwapi comctl32"
for name in $names; do cp "$(dirname "$dosdev")/planted.dll" "$work/$name.dll"; done
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}uxtheme,shell32,ole32,shlwapi,comctl32=n,b"
loaded() { (cd "$work" && ls ./*.loaded 2>/dev/null | tr '\n' ' '); }

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
check "no planted DLL loaded by the windows" '[ -z "$(loaded)" ]'
stop_tavrik

printf 'q: \t%s\r\n' "$(winepath -w "$work/Folder A")" >"$work/mount.ini"
free_letters Q
run_tavrik /ini
check "the start-up run bound its pair" grep -q '^\\??\\' < <(dos query Q:)
free_letters Q
check "no planted DLL loaded by the start-up run" '[ -z "$(loaded)" ]'


journey_end
