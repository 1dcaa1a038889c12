#!/bin/bash
# Drives for programs run as administrator, as far as Wine shows them: one
# name space, every process elevated with a split token, no prompt ("runas"
# just runs). "/elevated on" puts a copy in Program Files and registers the
# user's task, "/elevated off" takes both away again, and the codes and lines
# say what happened; the task's run binds the user's list as it stands and
# refuses what it must; the setup window's box does the same as the switches.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

win_env() { wine cmd /c echo "%$1%" | tr -d '\r'; }
# The program's own Program Files: a 64-bit one's where Wine's console is 32-bit.
program_files=$(win_env ProgramW6432)
[[ $program_files == %* ]] && program_files=$(win_env ProgramFiles)
program_files=$(winepath -u "$program_files")/Tavrik
list=$(winepath -u "$(win_env LOCALAPPDATA)")/Tavrik/elevated.ini
tasks="$WINEPREFIX/drive_c/windows/system32/tasks"  # not through a 32-bit tool, for which system32 is another folder
task_file() { find "$tasks" -maxdepth 1 -name 'Tavrik drives for S-*' 2>/dev/null | head -1; }
gone() { [ ! -e "$program_files" ] && [ -z "$(task_file)" ] && [ ! -e "$list" ]; }
SETUP_BOX="10 213"

free_letters P Q
rm -rf "$program_files"; rm -f "$tasks"/Tavrik\ drives\ for\ S-*
mkdir -p "$work/Data"
data_win=$(winepath -w "$work/Data")
dos define P: "$data_win" >/dev/null || fail "could not bind P:"

# The switches, read by a batch file as a script would.
cat >"$work/elevated.cmd" <<CMD
@echo off
"$work_win\\Tavrik.exe" /elevated on
echo code %ERRORLEVEL%
"$work_win\\Tavrik.exe" /elevated on
echo code %ERRORLEVEL%
CMD
sed -i 's/$/\r/' "$work/elevated.cmd"
out=$(cd "$work" && timeout 60 wine cmd /c elevated.cmd 2>/dev/null | tr -d '\r')
echo "$out"
check "on, then on already: 0 and 1" [ "$(grep '^code' <<<"$out" | tr '\n' ' ')" = "code 0 code 1 " ]
check "each says so in one line" [ "$(grep -c '^Tavrik: ' <<<"$out")" = 2 ]
check "the task runs a copy in Program Files" cmp -s "$work/Tavrik.exe" "$program_files/Tavrik.exe"
task=$(task_file)
echo "task: $task"
check "the task is the user's, named by the SID" '[ -n "$task" ] && [[ "$task" == *"for S-1-5-"* ]]'
check "the task is marked as the program's" grep -q '<Author>Tavrik</Author>' "$task"
check "the user's list holds P: with its folder" grep -qF "P:"$'\t'"$data_win" "$list"
check "the user's list is marked with the logon" bash -c "head -1 '$list' | grep -q 'session 0x'"
check "the program's own folder holds no list of it" '[ ! -e "$work/elevated.ini" ]'

# The task's run, by hand (Wine does not run tasks): what is bound to the
# same folder already is done; the system's drive and a missing folder are
# refused and logged; nothing else is touched.
printf '%s\r\nP:\t%s\r\nC:\t%s\r\nQ:\t%s\\Gone\r\n' "$(head -1 "$list" | tr -d '\r\357\273\277')" \
    "$data_win" "$data_win" "$data_win" >"$list"
check "the task's run ends by itself at once" timeout 10 wine "$work/Tavrik.exe" /elevated-sync
log=$(find "$program_files/Elevated" -name 'S-*.log' | head -1)
echo "log: $(tail -1 "$log" 2>/dev/null)"
check "it logged the system's drive and the missing folder" \
    'tail -1 "$log" | grep -F "C: (the system'"'"'s drive)" | grep -qF "Q: (no folder)"'
check "C: is still the disk" '[ "$(dos query C:)" != "\\??\\$data_win" ]'
check "Q: was not bound" '! dos query Q: >/dev/null'
check "P: is still bound" 'dos query P: >/dev/null'

check "off: 0" run_tavrik /elevated off
check "the task, the copy and the list are gone" gone
check "the user's own P: stays" 'dos query P: >/dev/null'
run_tavrik /elevated off; check "off again: 1" [ $? = 1 ]
run_tavrik /elevated sideways; check "anything else: 2" [ $? = 2 ]

# The same from the setup window: its box with Alt+R, then Space. Under Wine
# the caption is the plain one: both tokens share one session.
start_tavrik Ombrilo || fail "no main window"
check "the caption is not an administrator's under Wine" '! info exists "Administrator: Ombrilo"'
keys alt+s
wait_window "Mount @ Win Startup" || fail "no setup window"
check "the box is offered, not ticked" \
    '[ "$(field_of "$(child_at "Mount @ Win Startup" $SETUP_BOX)" enabled)" = 1 ] && [ -z "$(task_file)" ]'
keys alt+r
sleep 2
check "Alt+R turned it on" '[ -n "$(task_file)" ] && [ -f "$program_files/Tavrik.exe" ]'
shot setup-on
keys space
sleep 2
check "Space turned it off" gone
keys Escape
stop_tavrik
free_letters P
journey_end
