#!/bin/bash
# The setup program in a fresh Wine prefix of its own: a silent per-user install
# registers the folder verb, the log-on start and the installed-programs entry;
# the verb's command, expanded as the shell does for a folder with blanks, opens
# the main window ready to mount that folder; the log-on command mounts the
# start-up list; an upgrade and then the uninstall keep the user's lists while
# the uninstall removes the program and every registration.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

# Client positions (pixels) of the main window's controls.
PICKER="350 92"; MOUNT="40 60"; MOUNT_CORNER="13 40"; MOUNTED="6 116"

# The setup beside the build, or the one named (the 64-bit build's is the
# 32-bit build's, which carries both programs).
setup=${TAVRIK_SETUP:-$(ls -t "$(dirname "$dosdev")"/Tavrik-*-setup.exe 2>/dev/null | head -1)}
[ -n "$setup" ] || { echo "FAIL: no setup program beside $dosdev"; exit 1; }

VERB='HKCU\Software\Classes\Directory\shell\Mount'
RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrik'

started=$(date +%s)
fresh_prefix

home_win="$(win_env LOCALAPPDATA)\\Programs\\Tavrik"
home=$(winepath -u "$home_win" 2>/dev/null)
shortcut="$(winepath -u "$(win_env APPDATA)" 2>/dev/null)/Microsoft/Windows/Start Menu/Programs/Tavrik.lnk"
installed_exe="\"$home_win\\Tavrik.exe\""

# 1. A silent install, by the user, into the user's own program folder.
check "setup /S ends by itself and succeeds" timeout 60 wine "$setup" /S
check "the program is in %LOCALAPPDATA%\\Programs\\Tavrik" cmp -s "$exe" "$home/Tavrik.exe"
check "nothing went to Program Files" bash -c "! find '$WINEPREFIX/drive_c/Program Files' -iname 'tavrik*' | grep -q ."
check "a Start menu shortcut" [ -f "$shortcut" ]
if [ -n "${TAVRIK_SIGN_CA:-}" ]; then
    check "the installed program and its uninstaller are signed" \
        bash "$(dirname "$0")/check_signatures.sh" "$TAVRIK_SIGN_CA" "$home/Tavrik.exe" "$home/Uninstall.exe"
fi

# 2. The registrations, as the system reads them.
verb_command=$(reg_value "$VERB\\command")
logon_command=$(reg_value "$RUN" Tavrik)
echo "verb: $verb_command"
echo "log-on: $logon_command"
check "the folder verb reads Mount" [ "$(reg_value "$VERB")" = Mount ]
# The program takes its command-line tail as the folder, unquoted: the
# placeholder must stand bare after the installed exe.
check "the verb starts the installed exe with a bare placeholder" \
    grep -qxE "$(sed 's/[][\\.^$*+?(){}|]/\\&/g' <<<"$installed_exe") %[1LlVv]" <<<"$verb_command"
check "the log-on start runs the installed exe with /ini" [ "$logon_command" = "$installed_exe /ini" ]
check "installed programs: name" [ "$(reg_value "$UNINSTALL" DisplayName)" = Tavrik ]
check "installed programs: version" [ "$(reg_value "$UNINSTALL" DisplayVersion)" = 3.0.25 ]
check "installed programs: the program's icon" [ "$(reg_value "$UNINSTALL" DisplayIcon)" = "$home_win\\Tavrik.exe,0" ]
check "installed programs: publisher and location" \
    '[ "$(reg_value "$UNINSTALL" Publisher)" = Tavrik ] && [ "$(reg_value "$UNINSTALL" InstallLocation)" = "$home_win" ]'
check "installed programs: a quoted uninstaller and its quiet form" \
    '[ "$(reg_value "$UNINSTALL" UninstallString)" = "\"$home_win\\Uninstall.exe\"" ] &&
     [ "$(reg_value "$UNINSTALL" QuietUninstallString)" = "\"$home_win\\Uninstall.exe\" /S" ]'
for name in DisplayName DisplayVersion DisplayIcon Publisher InstallLocation UninstallString QuietUninstallString; do
    check "installed programs: $name is a string" [ "$(reg_type "$UNINSTALL" $name)" = REG_SZ ]
done
for name in NoModify NoRepair EstimatedSize; do
    check "installed programs: $name is a number" [ "$(reg_type "$UNINSTALL" $name)" = REG_DWORD ]
done
check "installed programs: no change and no repair" \
    '[ "$(reg_value "$UNINSTALL" NoModify)" = 0x1 ] && [ "$(reg_value "$UNINSTALL" NoRepair)" = 0x1 ]'
installed_kb=$(( ($(stat -c %s "$home/Tavrik.exe") + $(stat -c %s "$home/Uninstall.exe")) / 1024 ))
estimated_kb=$(( $(reg_value "$UNINSTALL" EstimatedSize) ))
echo "estimated size: $estimated_kb KB, installed files: $installed_kb KB"
check "installed programs: the size is the installed files' in KB" \
    '[ "$estimated_kb" -ge $((installed_kb - 2)) ] && [ "$estimated_kb" -le $((installed_kb + 2)) ]'
uninstall_command=$(reg_value "$UNINSTALL" UninstallString)
check "installed programs: an uninstaller that is there" \
    [ -f "$(winepath -u "$(sed 's/^"\([^"]*\)".*/\1/' <<<"$uninstall_command")" 2>/dev/null)" ]

# 3. The verb on a folder with blanks, expanded as Explorer expands it: the
# placeholder becomes the folder's path as it is, without quotes. (Wine's own
# ShellExecute does not look up verbs for folders, so the journey does it.)
mkdir -p "$work/Holiday  Photos 2026"
folder=$(winepath -w "$work/Holiday  Photos 2026")
command_line=$verb_command
for placeholder in %1 %L %l %V %v; do command_line=${command_line//"$placeholder"/$folder}; done
wine "$dosdev" run "$command_line" &
runner_pid=$!
wait_window Ombrilo || fail "no main window from the verb"
check "the mount button is enabled" '[ "$(field_of "$(child_at Ombrilo $MOUNT_CORNER)" enabled)" = 1 ]'
letter=$(field_of "$(child_at Ombrilo $PICKER)" text)
check "the picker offers a letter" '[[ "$letter" =~ ^[D-Z]:\ $ ]]'
letter=${letter%% *}
shot verb
click_at Ombrilo $MOUNT
check "$letter is bound to the folder" '[ "$(bound_folder "$letter")" = "$work/Holiday  Photos 2026" ]'
check "the mounted list shows it" 'items_at Ombrilo $MOUNTED | grep -qxF "$letter \\t$folder"'
check "the history beside the installed exe holds the folder, unquoted" \
    '[ "$(cat "$home/Tavrik.ini" 2>/dev/null)" = "$folder"$'"'"'\r'"'"' ]'
check "no error message" '! info exists "ERROR!"'
shot mounted
close_window Ombrilo
check "closing the window ends the program" 'wait_gone Ombrilo 5 && ! kill -0 $runner_pid 2>/dev/null'
wait "$runner_pid" 2>/dev/null
runner_pid=""

# 4. The log-on command with a start-up list beside the installed exe.
mkdir -p "$work/Start Up"
startup=$(winepath -w "$work/Start Up")
free_letters S
printf 's: \t%s\r\n' "$startup" >"$home/mount.ini"
check "the log-on command ends by itself" timeout 20 wine "$dosdev" run "$logon_command"
check "it bound S: to the listed folder" [ "$(bound_folder S:)" = "$work/Start Up" ]
check "the splash is gone" '! info exists Splash'
free_letters S "$letter"

# 5. An upgrade in place keeps the lists; the uninstall removes everything
# setup made and keeps them too.
lists() { (cd "$home" && md5sum Tavrik.ini mount.ini) 2>/dev/null; }
before=$(lists)
check "the lists are there" [ "$(wc -l <<<"$before")" = 2 ]
check "setup over the installed program succeeds" timeout 60 wine "$setup" /S
check "the upgrade keeps the lists" [ "$(lists)" = "$before" ]
check "the upgrade keeps the verb" [ "$(reg_value "$VERB\\command")" = "$verb_command" ]

# The drives for programs run as administrator, turned on: the uninstall
# turns them off, with their task and their copy in Program Files.
protected="$WINEPREFIX/drive_c/Program Files/Tavrik"
task_of_user() { find "$WINEPREFIX/drive_c/windows/system32/tasks" -maxdepth 1 -name 'Tavrik drives for S-*' | grep -q .; }
check "the installed program turns them on" timeout 30 wine "$home/Tavrik.exe" /elevated on
check "the task and the copy are there" 'task_of_user && [ -f "$protected/Tavrik.exe" ]'

check "the uninstaller starts" timeout 60 wine "$dosdev" run "$uninstall_command /S"
# It goes on from a copy of itself, so that it can delete the original.
check "the program is gone" '[ ! -e "$home/Tavrik.exe" ] && [ ! -e "$home/Uninstall.exe" ]'
check "the verb is gone" '! key_exists "$VERB"'
check "the log-on start is gone" '! reg_value "$RUN" Tavrik >/dev/null'
check "the installed-programs entry is gone" '! key_exists "$UNINSTALL"'
check "the shortcut is gone" '[ ! -e "$shortcut" ]'
check "the lists are kept" [ "$(lists)" = "$before" ]
check "the task and the copy are gone" '! task_of_user && [ ! -e "$protected" ]'

echo "journey took $(($(date +%s) - started)) s"
journey_end
