#!/bin/bash
# A definition the platform refuses (under Wine a letter already defined is
# refused, and its root is no directory, so it is still offered) shows the one
# error message; Return closes it, and a binding that was not made is not
# recorded in the history.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

PICKER="350 92"; MOUNT="40 60"
MESSAGE="Drive Creation Failed.  Please check your drive letter and path selections."

free_letters D
dos define D: 'C:\windows' || fail "could not define D: from outside"
mkdir -p "$work/Target"
target="$work_win\\Target"

start_tavrik Ombrilo "$target" || fail "no main window"
check "D: is still offered" '[ "$(field_of "$(child_at Ombrilo $PICKER)" text)" = "D: " ]'
click_at Ombrilo $MOUNT
check "the error message shows" 'wait_window "ERROR!" 1'
check "its text" 'info dump "ERROR!" | grep -qF "text $MESSAGE"'
shot message
keys Return
check "Return closes it" '! info exists "ERROR!"'
# The focus is back where it was, on the mount button: Space presses it again.
keys space
check "the focus came back to the mount button" 'wait_window "ERROR!" 1'
keys Return
check "and Return closes the message again" '! info exists "ERROR!"'
check "the earlier binding is left alone" 'dos query D: | grep -qi windows'
check "the history gained no line" '[ ! -e "$work/Tavrik.ini" ]'

free_letters D
journey_end
