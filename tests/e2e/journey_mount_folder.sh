#!/bin/bash
# Started with a folder path: the picker offers the first free letter, the mount
# button binds the folder to it, the mounted list shows letter, ": ", TAB and the
# long form, and the history gains the command line and shows it. Started with
# a text that is no folder, the mount binds nothing, says why, and records
# nothing.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

# Client positions (pixels) of the main window's controls.
PICKER="350 92"; MOUNT="40 60"; MOUNT_CORNER="13 40"; MOUNTED="6 116"

free_letters D E F
mkdir -p "$work/LongFolderName123"
folder="$work_win\\LongFolderName123"
missing="$work_win\\NoSuchFolder"

start_tavrik Ombrilo "$folder" || fail "no main window"
shot started
# Areas the window paints itself: its back colour and the shape behind the buttons.
check "the window's back colour" '[ "$(pixel_at Ombrilo 200 100)" = "#ECE9D8" ]'
# The skinned frame: its title band across the top, the top corners cut round.
check "the title band is drawn" '[ "$(pixel_at Ombrilo 200 15)" != "#ECE9D8" ]'
check "the top-left corner is cut away" '[ "$(pixel_at Ombrilo 0 0)" = "#000000" ]'
check "the top-left corner below the cut is part of the window" '[ "$(pixel_at Ombrilo 0 6)" != "#000000" ]'
check "the shape's border" '[ "$(pixel_at Ombrilo 4 50)" = "#808080" ]'
check "the shape's fill" '[ "$(pixel_at Ombrilo 250 30)" = "#E0E0E0" ]'
check "the picker shows the first free letter" '[ "$(field_of "$(child_at Ombrilo $PICKER)" text)" = "D: " ]'
check "the picker lists the free letters from D:" '[ "$(items_at Ombrilo $PICKER | head -1)" = "D: " ]'
check "the mount button is enabled" '[ "$(field_of "$(child_at Ombrilo $MOUNT_CORNER)" enabled)" = 1 ]'

click_at Ombrilo $MOUNT
check "D: is bound to the folder's short form" 'dos query D: | grep -qi "^\\\\??\\\\.*\\\\LONG"'
check "the mounted list shows D:, TAB and the long form" 'items_at Ombrilo $MOUNTED | grep -qxF "D: \\t$folder"'
shot mounted
check "no error message" '! info exists "ERROR!"'
check "the history gained the command line" '[ "$(cat "$work/Tavrik.ini")" = "$folder"$'"'"'\r'"'"' ]'
check "the history list shows it at once" '[ "$(items_at Ombrilo 6 210)" = "$folder" ]'
stop_tavrik
free_letters D

start_tavrik Ombrilo "$missing" || fail "no main window for a missing folder"
before=$(dos drives)
keys Return  # the mount button is the default button
check "a missing folder says so" 'wait_window "ERROR!" 1 && info dump "ERROR!" | grep -qF "does not exist.  Nothing was mounted."'
shot missing-folder
keys Return
check "the message closes" '! info exists "ERROR!"'
check "a missing folder binds nothing" '[ "$(dos drives)" = "$before" ]'
check "and is not recorded" '[ "$(cat "$work/Tavrik.ini")" = "$folder"$'"'"'\r'"'"' ]'
check "the mounted list stays empty" '[ -z "$(items_at Ombrilo $MOUNTED)" ]' 

journey_end
