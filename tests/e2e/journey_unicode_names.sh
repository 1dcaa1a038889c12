#!/bin/bash
# On a Western Windows (code page 1252), folders named in Cyrillic and Chinese
# are mounted from the command line, from the history and from the start-up
# list. The mounted list shows them by their names, and both list files keep
# those names: as UTF-8 after a byte-order mark, since 1252 cannot hold them.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

# A UTF-8 locale carries every name on Wine's command line; en_US gives 1252.
use_locale en_US
check "Wine runs on code page 1252" '[ "$(dos acp)" = 1252 ]'

PICKER="350 92"; MOUNT="40 60"; MOUNTED="6 116"; FIRST_HISTORY="40 217"; SECOND_HISTORY="40 230"
SETUP_BUTTON="104 60"; SETUP="Mount @ Win Startup"
bom=$'\xef\xbb\xbf'
mkdir -p "$work/Плюс" "$work/写真"
plus="$work_win\\Плюс"
photos="$work_win\\写真"
free_letters D E F

# From the command line.
start_tavrik Ombrilo "$plus" || fail "no main window for $plus"
click_at Ombrilo $MOUNT
check "D: is bound to the Cyrillic folder" 'dos query D: | grep -q "^\\\\??\\\\"'
check "the mounted list shows its name" 'items_at Ombrilo $MOUNTED | grep -qxF "D: \\t$plus"'
check "no error message" '! info exists "ERROR!"'
shot cyrillic
start_tavrik Ombrilo "$photos" || fail "no main window for $photos"
# Wine reaches no folder through a binding, so it offers D: again: pick E:.
click_at Ombrilo $PICKER
keys Down Down  # the first Down selects the letter shown, the second the next
check "the picker shows E:" '[ "$(field_of "$(child_at Ombrilo $PICKER)" text)" = "E: " ]'
click_at Ombrilo $MOUNT
check "E: is bound to the Chinese folder" 'dos query E: | grep -q "^\\\\??\\\\"'
check "the mounted list shows both names" \
    '[ "$(items_at Ombrilo $MOUNTED)" = "D: \\t$plus"$'"'"'\n'"'"'"E: \\t$photos" ]'
shot chinese
stop_tavrik
check "the history holds both names as UTF-8 after the mark" \
    '[ "$(cat "$work/Tavrik.ini")" = "$bom$plus"$'"'"'\r\n'"'"'"$photos"$'"'"'\r'"'"' ]'
free_letters D E

# From the history.
start_tavrik Ombrilo || fail "no main window without a command line"
check "the history list shows both names" '[ "$(items_at Ombrilo 6 210)" = "$plus"$'"'"'\n'"'"'"$photos" ]'
click_at Ombrilo $SECOND_HISTORY
click_at Ombrilo $SECOND_HISTORY 3
keys m
check "&Mount bound D: to the Chinese folder again" 'items_at Ombrilo $MOUNTED | grep -qxF "D: \\t$photos"'
shot history
stop_tavrik
check "a remount leaves the history as it was" '[ "$(wc -l <"$work/Tavrik.ini")" = 2 ]'
free_letters D

# From the start-up list, then once more after the setup window lower-cased it.
# The first pair is deleted in the setup window, so that it writes the list.
printf '%sR: \tC:\\Gone\r\nP: \t%s\r\nQ: \t%s\r\n' "$bom" "$plus" "$photos" >"$work/mount.ini"
run_tavrik /ini || fail "the start-up run failed"
check "the run bound P: and Q:" 'dos query P: >/dev/null && dos query Q: >/dev/null'
start_tavrik Ombrilo || fail "no main window after the run"
check "the mounted list shows the start-up pairs by name" \
    '[ "$(items_at Ombrilo $MOUNTED)" = "P: \\t$plus"$'"'"'\n'"'"'"Q: \\t$photos" ]'
free_letters P Q
click_at Ombrilo $SETUP_BUTTON
check "the setup window opens" 'wait_window "$SETUP" 1'
shot setup
click_at "$SETUP" 40 95
keys Delete
keys Escape
check "the setup window closes" '! info exists "$SETUP"'
stop_tavrik
lower_dir=$(printf '%s' "$work_win" | tr 'A-Z' 'a-z')
check "the list is written back lower-cased, still as UTF-8" \
    '[ "$(cat "$work/mount.ini")" = "${bom}p: 	$lower_dir\\плюс"$'"'"'\r\n'"'"'"q: 	$lower_dir\\写真"$'"'"'\r'"'"' ]'
run_tavrik /ini || fail "the second start-up run failed"
check "the lower-cased list binds both folders again" 'dos query P: >/dev/null && dos query Q: >/dev/null'
free_letters P Q
journey_end
