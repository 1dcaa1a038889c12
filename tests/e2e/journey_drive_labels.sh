#!/bin/bash
# The labels Explorer shows for the drives the program binds, as Windows keeps
# them for the user: a mount writes the letter's label key (the folder's own
# name, marked as the program's), "-X" removes it, the start-up run labels each
# pair it binds, and any start removes a label whose binding went without the
# program. Wine's Explorer shows none of them: what is checked is what the
# program writes.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"
own_prefix  # the user's registry of its own

DRIVES='HKCU\Software\Classes\Applications\Explorer.exe\Drives'
label() { wine reg query "$DRIVES\\$1\\DefaultLabel" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'; }
marked() { wine reg query "$DRIVES\\$1\\DefaultLabel" /v Tavrik >/dev/null 2>&1; }
no_key() { ! wine reg query "$DRIVES\\$1" >/dev/null 2>&1; }

free_letters D E F
mkdir -p "$work/Some Folder" "$work/Second"
start_tavrik Ombrilo "$work_win\\Some Folder" || fail "no main window"
click_at Ombrilo 40 60  # Mount
check "D: is bound" 'dos query D: | grep -q "^\\\\??\\\\"'
check "its label is the folder's own name" '[ "$(label D)" = "Some Folder" ]'
check "and marked as the program's" marked D
stop_tavrik
run_tavrik -D
check "-D removed the binding" '! dos query D: >/dev/null'
check "and its label" no_key D

printf 'e: \t%s\r\nf: \t%s\r\n' "$work_win\\Some Folder" "$work_win\\Second" >"$work/mount.ini"
run_tavrik /ini
check "the start-up run labels E:" '[ "$(label E)" = "Some Folder" ]'
check "and F:" '[ "$(label F)" = "Second" ]'
free_letters E  # gone behind the program's back
run_tavrik -Q
check "a label whose binding went is gone at the next start" no_key E
check "a bound letter's label stays" '[ "$(label F)" = "Second" ]'
free_letters F

journey_end
