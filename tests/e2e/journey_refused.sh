#!/bin/bash
# A definition the platform refuses (under Wine a letter already defined is
# refused, and its root is no directory, so it is still offered) shows the one
# error message; Return closes it and the mount goes on with its other steps.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

PICKER="350 92"; MOUNT="40 60"

free_letters D
dos define D: 'C:\windows' || fail "could not define D: from outside"
mkdir -p "$work/Target"

start_tavrik Ombrilo "$work_win\\Target" || fail "no main window"
check "D: is still offered" [ "$(field_of "$(child_at Ombrilo $PICKER)" text)" = "D: " ]
click_at Ombrilo $MOUNT
check "the error message shows" wait_window "ERROR!" 5
message=$(info dump "ERROR!" | grep -F 'Drive Creation Failed.')
check "its text" grep -qF "text Drive Creation Failed.  Please check your drive letter and path selections." <<<"$message"
shot message
keys Return
check "Return closes it" wait_gone "ERROR!" 5
check "the earlier binding is left alone" grep -qi 'windows' < <(dos query D:)
check "the history still gained the line" [ "$(cat "$work/Tavrik.ini")" = "$work_win\\Target"$'\r' ]

free_letters D
journey_end
