#!/bin/bash
# The start-up setup window opens modally from the main window, shows the
# start-up list in lower case, removes the selected pair with Delete, leaves the
# folder box alone when the folder dialog is cancelled, and writes the list
# when it closes, through a symbolic link, and when the session ends;
# reopening shows what was written.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

SETUP_BUTTON="104 60"; LIST="6 88"; FIRST="40 95"; BROWSE="358 58"; ADD="383 58"; FOLDER="55 48"
SETUP="Mount @ Win Startup"
setup_items() { items_at "$SETUP" $LIST; }
folder_box() { field_of "$(child_at "$SETUP" $FOLDER)" text; }
enabled_of() { info dump "$1" | awk '$1 == "window" { print $12 }'; }

printf 'M: \tC:\\Data\r\nN: \tC:\\Other Place\r\n' >"$work/mount.ini"
both=$'m: \\tc:\\data\nn: \\tc:\\other place'
second='n: \tc:\other place'                # as the list shows it
second_line=$'n: \tc:\\other place\r'        # as the file holds it
start_tavrik Ombrilo || fail "no main window"

click_at Ombrilo $SETUP_BUTTON
check "the setup window opens" 'wait_window "$SETUP" 1'
check "the main window waits while it is open" '[ "$(enabled_of Ombrilo)" = 0 ]'
check "the list shows the lines in lower case" '[ "$(setup_items)" = "$both" ]'
shot opened

click_at "$SETUP" $BROWSE
check "the folder dialog opens" 'wait_window "Browse for Folder" 1'
shot folder-dialog
keys Escape
check "Escape cancels it" '! info exists "Browse for Folder"'
check "a cancelled dialog leaves the folder box empty" '[ -z "$(folder_box)" ]'
click_at "$SETUP" $ADD
check "Add without a folder adds nothing" [ "$(setup_items | wc -l)" = 2 ]
keys x BackSpace Delete
check "typing does not reach the folder box" [ -z "$(folder_box)" ]

click_at "$SETUP" $FIRST
keys Delete
check "Delete removes the selected pair" '[ "$(setup_items)" = "$second" ]'

close_window "$SETUP"
check "the setup window closes" '! info exists "$SETUP"'
check "closing wrote the list as shown" '[ "$(cat "$work/mount.ini")" = "$second_line" ]'
check "the main window is usable again" '[ "$(enabled_of Ombrilo)" = 1 ]'

printf 'P: \tC:\\UPPER\r\n' >>"$work/mount.ini"
click_at Ombrilo $SETUP_BUTTON
check "the setup window opens again" 'wait_window "$SETUP" 1'
check "reopening shows every line in lower case" '[ "$(setup_items)" = "$second"$'"'"'\n'"'"'"p: \\tc:\\upper" ]'
click_at "$SETUP" $FIRST
keys Delete
click_at "$SETUP" $FIRST
keys Delete
check "both pairs deleted" '[ -z "$(setup_items)" ]'
close_window "$SETUP"
check "deleting every pair leaves an empty file" '! info exists "$SETUP" && [ -e "$work/mount.ini" ] && [ ! -s "$work/mount.ini" ]'

# A list that is a symbolic link stays one: the edit goes where it leads.
mkdir -p "$work/kept"
printf 'm: \tc:\\one\r\nn: \tc:\\other place\r\n' >"$work/kept/mount.ini"
ln -sf "$work/kept/mount.ini" "$work/mount.ini"
click_at Ombrilo $SETUP_BUTTON
check "the setup window opens on the linked list" 'wait_window "$SETUP" 1 && [ "$(setup_items | wc -l)" = 2 ]'
click_at "$SETUP" $FIRST
keys Delete
close_window "$SETUP"
check "the link is still a link" '! info exists "$SETUP" && [ -L "$work/mount.ini" ]'
check "the list it leads to holds the edit" '[ "$(cat "$work/kept/mount.ini")" = "$second_line" ]'
rm -f "$work/mount.ini"

# The session ends with the window open and edited: the edit is saved, and
# the program ends.
printf 'm: \tc:\\one\r\nn: \tc:\\other place\r\n' >"$work/mount.ini"
click_at Ombrilo $SETUP_BUTTON
check "the setup window opens once more" 'wait_window "$SETUP" 1'
click_at "$SETUP" $FIRST
keys Delete
timeout 30 wine wineboot --end-session >/dev/null 2>&1
check "the end of the session saved the edit" '[ "$(cat "$work/mount.ini")" = "$second_line" ]'
check "and ended the program" tavrik_ends_within 10

journey_end
