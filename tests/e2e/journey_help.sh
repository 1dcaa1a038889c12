#!/bin/bash
# The help window opens modally from the main window and holds the fourteen
# lines of help; typing, Delete and paste change nothing.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

HELP_BUTTON="170 60"; TEXT="11 38"

start_tavrik Ombrilo || fail "no main window"
click_at Ombrilo $HELP_BUTTON
check "the help window opens" wait_window Help 5
shot opened
text=$(field_of "$(child_at Help $TEXT)" text)
check "fourteen lines, each ended by CR LF" [ "$(grep -o '\\r\\n' <<<"$text" | wc -l)" = 14 ]
check "the title line" grep -qF '   ..: OMBRILO HELP :..\r\n' <<<"$text"
check "line 4 empty, lines 8 and 13 three blanks" \
    grep -qF '................................\r\n\r\n1. Right-Click' <<<"$text"
check "the /ini line" grep -qF '\r\n   with the switch /ini.\r\n   \r\n' <<<"$text"

click_at Help 60 60
keys x y z Return BackSpace Delete ctrl+v ctrl+x
check "typing changes nothing" [ "$(field_of "$(child_at Help $TEXT)" text)" = "$text" ]
close_window Help
check "the help window closes" wait_gone Help 5
check "the main window stays" wait_window Ombrilo 2

journey_end
