#!/bin/bash
# The help window opens modally from the main window and holds the fourteen
# lines of help; typing, Delete and paste change nothing. The main window,
# inactive meanwhile, shows no transparent-key colour.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

HELP_BUTTON="170 60"; TEXT="11 38"
help_text() { field_of "$(child_at Help $TEXT)" text; }

start_tavrik Ombrilo || fail "no main window"
click_at Ombrilo $HELP_BUTTON
check "the help window opens" 'wait_window Help 1'
check "the main window waits while it is open" '[ "$(info dump Help | awk '"'"'$1 == "window" { print $NF }'"'"')" = 0 ]'
shot opened
# The waiting main window wears its inactive pictures: none of their
# transparent-key colour may show at its rounded top-right corner.
corner_colours() {
    local line
    line=$(info dump Ombrilo | awk '$1 == "window" { print $9 - 12, $8 }')  # right - 12, top
    [ -n "$line" ] || return 1
    set -- $line
    import -window root -crop "12x6+$1+$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}'
}
check "no magenta at the waiting main window's corner" '[ -n "$(corner_colours)" ] && ! corner_colours | grep -q "#FF00FF"'
text=$(help_text)
check "fourteen lines, each ended by CR LF" [ "$(grep -o '\\r\\n' <<<"$text" | wc -l)" = 14 ]
check "the title line" grep -qF '   ..: OMBRILO HELP :..\r\n' <<<"$text"
check "line 4 empty, lines 8 and 13 three blanks" \
    grep -qF '................................\r\n\r\n1. Right-Click' <<<"$text"
check "the /ini line" grep -qF '\r\n   with the switch /ini.\r\n   \r\n' <<<"$text"

click_at Help 60 60
keys x y z Return BackSpace Delete ctrl+v ctrl+x
check "typing changes nothing" [ "$(help_text)" = "$text" ]
close_window Help
check "the help window closes" '! info exists Help'
check "the main window stays and is usable" '[ "$(info dump Ombrilo | awk '"'"'$1 == "window" { print $12 }'"'"')" = 1 ]'

journey_end
