#!/bin/bash
# What a screen reader meets, read through oleacc from another process: every
# control of every window and of the gallery has a name a person reads (never
# its name in the code), the buttons the program draws answer as push buttons
# and the menu strip's items as menu items of a menu bar. The lists and the
# letter picker take their labels' names; a reader's press presses; a
# maximized window's maximize button reads "Restore".
source "$(dirname "$0")/lib.sh"
journey_setup "$@"
msaa="$(dirname "$dosdev")/msaa.exe"
gallery="$(dirname "$dosdev")/gallery.exe"

reader() { wine "$msaa" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }
# True when the window reads well; the faults found are printed.
reads_well() { # caption
    local out
    out=$(reader check "$1") && return 0
    grep '^FAULT' <<<"$out"
    return 1
}
# The reader's line of the first control of the class with the name.
object() { # caption class name
    reader dump "$1" | awk -v c="$2" -v n="$3" '$1 == "object" && $2 == c && index($0, " name " n " action ") { print; exit }'
}

mkdir -p "$work/One"
one=$(winepath -w "$work/One")

# The splash, for as long as it shows.
: >"$work/mount.ini"
wine "$work/Tavrik.exe" /ini &
tavrik_pid=$!
for _ in $(seq 1 100); do info exists Splash && break; sleep 0.05; done
splash=$(reader check Splash)
rc=$?
[ $rc -eq 2 ] && echo "the splash was gone before it could be read"
check "the splash reads well" [ $rc -ne 1 ]
[ $rc -eq 1 ] && grep '^FAULT' <<<"$splash"
tavrik_ends_within 10

start_tavrik Ombrilo "$one" || fail "no main window"
check "the main window reads well" reads_well Ombrilo
check "the letter picker is named by its label" '[ -n "$(object Ombrilo ComboBox "Drive Letter")" ]'
check "the mounted list is named by its label" '[ -n "$(object Ombrilo ListBox "List of Mounted Folders")" ]'
check "the history list is named by its label" \
    '[ -n "$(object Ombrilo ListBox "List of Previously Mounted Folders")" ]'
check "the close button is a push button a reader presses" \
    '[[ "$(object Ombrilo TavrikCaptionButton Close)" == *" role 43 "*" action Press "* ]]'
for button in Mount Setup Help; do
    check "the $button button reads its name and key Alt+${button:0:1}" \
        "[[ \"\$(object Ombrilo Button $button)\" == *' key Alt+${button:0:1}' ]]"
done

click_at Ombrilo 100 60  # Setup
wait_window "Mount @ Win Startup" || fail "no setup window"
check "the setup window reads well" reads_well "Mount @ Win Startup"
for button in Browse Add; do
    check "its $button button reads its name and key Alt+${button:0:1}" \
        "[[ \"\$(object 'Mount @ Win Startup' Button $button)\" == *' key Alt+${button:0:1}' ]]"
done
keys Escape
wait_gone "Mount @ Win Startup" || close_window "Mount @ Win Startup"

click_at Ombrilo 170 60  # Help
wait_window Help || fail "no help window"
check "the help window reads well" reads_well Help
close_window Help
stop_tavrik

wine "$gallery" &
tavrik_pid=$!
wait_window Gallery || { fail "no gallery"; journey_end; }
check "the gallery reads well" reads_well Gallery
check "an XP button reads its caption, access key and Press" \
    '[[ "$(object Gallery TavrikXPButton First)" == *" role 43 "*" action Press key Alt+F" ]]'
check "a menu-strip item is a menu item" '[[ "$(object Gallery TavrikMenuItem File)" == *" role 12 "* ]]'
check "a reader's press of an XP button clicks it" reader press Gallery First
check "and the button ran its Click" '[ "$(field_of "$(child_at Gallery 20 120)" text)" = "First clicked 1" ]'
check "a reader's press of Maximize maximizes" reader press Gallery Maximize
check "the maximized window's button reads Restore" '[ -n "$(object Gallery TavrikCaptionButton Restore)" ]'
check "and pressing it restores the window" reader press Gallery Restore
check "the button reads Maximize again" '[ -n "$(object Gallery TavrikCaptionButton Maximize)" ]'

journey_end
