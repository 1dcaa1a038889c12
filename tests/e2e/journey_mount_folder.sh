#!/bin/bash
# Started with a folder path: the picker offers the first free letter, the mount
# button binds the folder to it, the mounted list shows letter, ": ", TAB and the
# long form, and the history gains the command line. Started with a text that is
# no folder, the mount binds nothing, says nothing, and is still recorded.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

# Client positions (pixels) of the main window's controls.
PICKER="350 92"; MOUNT="40 60"; MOUNTED="6 116"

free_letters D E F
mkdir -p "$work/LongFolderName123"
folder="$work_win\\LongFolderName123"

start_tavrik Ombrilo "$folder" || fail "no main window"
shot started
# Areas the window paints itself: its back colour and the shape behind the buttons.
check "the window's back colour" [ "$(pixel_at Ombrilo 200 8)" = "#ECE9D8" ]
check "the shape's border" [ "$(pixel_at Ombrilo 4 50)" = "#808080" ]
check "the shape's fill" [ "$(pixel_at Ombrilo 250 30)" = "#E0E0E0" ]
letter=$(field_of "$(child_at Ombrilo $PICKER)" text)
check "the picker shows the first free letter (D: )" [ "$letter" = "D: " ]
check "the picker offers D: to Y: but for Z:" [ "$(items_at Ombrilo $PICKER | head -1)" = "D: " ]
check "the mount button is enabled" [ "$(field_of "$(child_at Ombrilo 13 40)" enabled)" = 1 ]

click_at Ombrilo $MOUNT
shot mounted
target=$(dos query D:)
check "D: is bound to the folder's short form" grep -qi '^\\??\\.*\\LONG' <<<"$target"
check "the mounted list shows D:, TAB and the long form" \
    grep -qxF "D: \\t$folder" < <(items_at Ombrilo $MOUNTED)
check "no error message" wait_gone "ERROR!" 1
check "the history gained the command line" [ "$(cat "$work/Tavrik.ini")" = "$folder"$'\r' ]
stop_tavrik
free_letters D

start_tavrik Ombrilo "$work_win\\NoSuchFolder" || fail "no main window for a missing folder"
before=$(dos drives)
click_at Ombrilo $MOUNT
check "a missing folder binds nothing" [ "$(dos drives)" = "$before" ]
check "a missing folder shows no message" wait_gone "ERROR!" 1
check "the history still gained the text" \
    [ "$(tail -n 1 "$work/Tavrik.ini")" = "$work_win\\NoSuchFolder"$'\r' ]
check "the mounted list stays empty" [ -z "$(items_at Ombrilo $MOUNTED)" ]
shot missing-folder

journey_end
