#!/bin/bash
# Started without a command line: the mount button is disabled, the history
# shows earlier lines, "&Mount" from its pop-up menu binds the selected folder,
# "&Unmount" from the mounted list's menu removes a binding, and "&Clear"
# empties the history and deletes its file.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

MOUNT="13 40"; MOUNTED="6 116"; HISTORY="6 210"
FIRST_MOUNTED="40 123"; FIRST_HISTORY="40 217"; SECOND_HISTORY="40 230"

free_letters D E
mkdir -p "$work/HistoryOne" "$work/HistoryTwo"
one="$work_win\\HistoryOne"
two="$work_win\\HistoryTwo"
printf '%s\r\n%s\r\n' "$one" "$two" >"$work/Tavrik.ini"

start_tavrik Ombrilo || fail "no main window"
check "the mount button is disabled" '[ "$(field_of "$(child_at Ombrilo $MOUNT)" enabled)" = 0 ]'
check "the history shows the earlier lines" '[ "$(items_at Ombrilo $HISTORY)" = "$one"$'"'"'\n'"'"'"$two" ]'
shot started
keys Return
check "Return does not press the disabled mount button" [ "$(wc -l <"$work/Tavrik.ini")" = 2 ]

# Unmount with nothing selected does nothing (the list has the focus, so
# the letter typed goes nowhere else).
click_at Ombrilo $FIRST_MOUNTED
click_at Ombrilo $FIRST_MOUNTED 3
keys u
check "nothing to unmount, nothing happens" '[ -z "$(items_at Ombrilo $MOUNTED)" ]'

click_at Ombrilo $SECOND_HISTORY
click_at Ombrilo $SECOND_HISTORY 3
shot history-menu
keys m
check "&Mount bound D: to a folder" 'dos query D: | grep -q "^\\\\??\\\\"'
check "the mounted list shows it" 'items_at Ombrilo $MOUNTED | grep -qxF "D: \\t$two"'
check "the history file is not written by a remount" '[ "$(wc -l <"$work/Tavrik.ini")" = 2 ]'

click_at Ombrilo $FIRST_MOUNTED
click_at Ombrilo $FIRST_MOUNTED 3
shot mounted-menu
keys u
check "&Unmount removed D:" '! dos query D: >/dev/null'
check "the mounted list is empty again" '[ -z "$(items_at Ombrilo $MOUNTED)" ]'

click_at Ombrilo $FIRST_HISTORY 3
keys c
check "&Clear emptied the history list" '[ -z "$(items_at Ombrilo $HISTORY)" ]'
check "&Clear deleted the history file" '[ ! -e "$work/Tavrik.ini" ]'
shot cleared

free_letters D
journey_end
