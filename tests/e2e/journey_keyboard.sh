#!/bin/bash
# Every list command has a keyboard path, as in any Windows list: Shift+F10 and
# the context-menu key open a list's menu for its selected line, whose letters
# run the commands; Delete unmounts a mounted line; a double click on a history
# line mounts it. The window menu (Alt+Space) is the system's, and its
# Minimize works.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

MOUNTED="6 116"; HISTORY="6 210"; FIRST_MOUNTED="40 123"; FIRST_HISTORY="40 217"
free_letters D E F
mkdir -p "$work/One" "$work/Two"
one=$(winepath -w "$work/One"); two=$(winepath -w "$work/Two")
printf '%s\r\n' "$two" >"$work/Tavrik.ini"
mounted() { items_at Ombrilo $MOUNTED; }
iconic() { info dump Ombrilo | awk '$1 == "window" { print $14 }'; }

start_tavrik Ombrilo "$one" || fail "no main window"
# The letter picker's list dropped with Alt+Down and closed with Escape: the
# first Enter then presses the default button, as on Windows.
keys alt+Down
keys Escape
keys Return
check "after Alt+Down and Escape in the picker, the first Enter mounts the folder on D:" \
    'mounted | grep -qF "D: \t$one"'

# Shift+F10 on the selected mounted line, then the menu's U.
click_at Ombrilo $FIRST_MOUNTED
keys shift+F10
shot shift-f10-menu
keys u
check "Shift+F10, U unmounts D:" '[ -z "$(mounted)" ] && ! dos query D: >/dev/null'

# The context-menu key on the history, then the menu's M.
click_at Ombrilo $FIRST_HISTORY
keys Menu
keys m
check "the context-menu key, M mounts the history line on D:" 'mounted | grep -qF "D: \t$two"'

# Delete on the mounted line.
click_at Ombrilo $FIRST_MOUNTED
keys Delete
check "Delete unmounts the selected line" '[ -z "$(mounted)" ] && ! dos query D: >/dev/null'

# A double click on the history line.
click_at Ombrilo $FIRST_HISTORY
xdotool click --repeat 2 --delay 80 1
sleep 0.5
check "a double click on a history line mounts it" 'mounted | grep -qF "D: \t$two"'
free_letters D

# The window menu: drawn by the system, Minimize enabled, N minimizes.
click_at Ombrilo 200 100
keys alt+space
shot window-menu
keys n
check "Alt+Space N minimizes the window" '[ "$(iconic)" = 1 ]'
keys alt+space r
check "Alt+Space R restores it" '[ "$(iconic)" = 0 ]'

journey_end
