#!/bin/bash
# The start-up setup window opens modally from the main window, shows the
# start-up list in lower case, removes the selected pair with Delete, leaves the
# folder box alone when the folder dialog is cancelled, and writes the list
# when it closes; reopening shows what was written.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

SETUP_BUTTON="104 60"; LIST="6 88"; FIRST="40 95"; SECOND="40 108"; BROWSE="358 58"; ADD="383 58"; FOLDER="55 48"
SETUP="Mount @ Win Startup"

printf 'M: \tC:\\Data\r\nN: \tC:\\Other Place\r\n' >"$work/mount.ini"
start_tavrik Ombrilo || fail "no main window"

click_at Ombrilo $SETUP_BUTTON
check "the setup window opens" wait_window "$SETUP" 5
check "the main window waits while it is open" [ "$(info dump "$SETUP" | awk '$1 == "window" { print $NF }')" = 0 ]
check "the list shows the lines in lower case" \
    [ "$(items_at "$SETUP" $LIST)" = 'm: \tc:\data'$'\n''n: \tc:\other place' ]
shot opened

click_at "$SETUP" $BROWSE
check "the folder dialog opens" wait_window "Browse for Folder" 5
shot folder-dialog
keys Escape
check "Escape cancels it" wait_gone "Browse for Folder" 5
check "a cancelled dialog leaves the folder box empty" [ -z "$(field_of "$(child_at "$SETUP" $FOLDER)" text)" ]
click_at "$SETUP" $ADD
check "Add without a folder adds nothing" [ "$(items_at "$SETUP" $LIST | wc -l)" = 2 ]
keys x BackSpace Delete
check "typing does not reach the folder box" [ -z "$(field_of "$(child_at "$SETUP" $FOLDER)" text)" ]

click_at "$SETUP" $FIRST
keys Delete
check "Delete removes the selected pair" [ "$(items_at "$SETUP" $LIST)" = 'n: \tc:\other place' ]

close_window "$SETUP"
check "the setup window closes" wait_gone "$SETUP" 5
check "closing wrote the list as shown" [ "$(cat "$work/mount.ini")" = $'n: \tc:\\other place\r' ]
check "the main window is usable again" [ "$(info dump Ombrilo | awk '$1 == "window" { print $12 }')" = 1 ]

printf 'P: \tC:\\UPPER\r\n' >>"$work/mount.ini"
click_at Ombrilo $SETUP_BUTTON
check "the setup window opens again" wait_window "$SETUP" 5
check "reopening shows every line in lower case" \
    [ "$(items_at "$SETUP" $LIST)" = 'n: \tc:\other place'$'\n''p: \tc:\upper' ]
click_at "$SETUP" $FIRST
keys Delete
click_at "$SETUP" $FIRST
keys Delete
close_window "$SETUP"
wait_gone "$SETUP" 5
check "deleting every pair leaves an empty file" [ -e "$work/mount.ini" ] && [ ! -s "$work/mount.ini" ]

journey_end
