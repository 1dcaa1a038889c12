#!/bin/bash
# On a Central European Windows (code page 1250) the list files stay as they
# were, byte for byte: the setup window lower-cases the start-up list by that
# code page and writes it back in it after an edit, the start-up run still binds a folder
# whose name needs it, and the history keeps its old lines and adds new ones in
# that code page.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

use_locale pl_PL
check "Wine runs on code page 1250" '[ "$(dos acp)" = 1250 ]'

bound() { dos query "$1" >/dev/null; }
SETUP_BUTTON="104 60"; SETUP="Mount @ Win Startup"
# c:\ŹRÓDŁA and c:\źródła in code page 1250; ź (0x9F) is ÿ's capital in 1252.
mkdir -p "$work/źródła"
folder="$(winepath -w "$work" | iconv -f UTF-8 -t CP1250)\\"$'\x9fr\xf3d\xb3a'
# The first pair is deleted in the setup window, so that it writes the list.
printf 'y: \tC:\\Gone\r\nZ: \tC:\\\x8fR\xd3D\xa3A\r\nq: \t%s\r\n' "$folder" >"$work/mount.ini"

run_tavrik /ini || fail "the start-up run failed"
check "the run bound the folder named in code page 1250" bound Q:
free_letters Q

start_tavrik Ombrilo || fail "no main window"
click_at Ombrilo $SETUP_BUTTON
check "the setup window opens" 'wait_window "$SETUP" 1'
shot setup
click_at "$SETUP" 40 95
keys Delete
close_window "$SETUP"
check "the setup window closes" '! info exists "$SETUP"'
stop_tavrik
expected=$(printf 'z: \tc:\\\x9fr\xf3d\xb3a\r\nq: \t%s\r\n' "$(printf '%s' "$folder" | LC_ALL=C tr 'A-Z' 'a-z')" | od -An -tx1)
check "every line lower-cased by code page 1250" '[ "$(od -An -tx1 <"$work/mount.ini")" = "$expected" ]'

run_tavrik /ini || fail "the second start-up run failed"
check "the lower-cased list still binds the folder" bound Q:
free_letters Q

MOUNT="40 60"; HISTORY="6 210"
# An earlier line: c:\...\łódź in code page 1250.
mkdir -p "$work/łódź"
earlier="$(winepath -w "$work" | iconv -f UTF-8 -t CP1250)\\"$'\xb3\xf3d\x9f'
printf '%s\r\n' "$earlier" >"$work/Tavrik.ini"
named="$(winepath -w "$work")\\źródła"
earlier_named="$(winepath -w "$work")\\łódź"
free_letters D
start_tavrik Ombrilo "$named" || fail "no main window for $named"
check "the old history line shows by its name" '[ "$(items_at Ombrilo $HISTORY)" = "$earlier_named" ]'
click_at Ombrilo $MOUNT
check "D: is bound to the folder" bound D:
shot history
stop_tavrik
expected=$(printf '%s\r\n%s\r\n' "$earlier" "$folder" | od -An -tx1)
check "the new history line is in code page 1250 too" '[ "$(od -An -tx1 <"$work/Tavrik.ini")" = "$expected" ]'
free_letters D
journey_end
