#!/bin/bash
# The main window wears the skinned frame: no system caption, moved by dragging
# its title band with the left button only, and its close button ends the program.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

window_line() { info dump Ombrilo | awk '$1 == "window"'; }

start_tavrik Ombrilo || fail "no main window"
line=$(window_line)
read -r _ _ _ cx cy _ left top right bottom _ <<<"$line"
check "the client area is the whole window" [ "$cx $cy" = "$left $top" ]
check "the skinned window is as wide as its design plus nothing" [ $((right - left)) = 402 ]
shot skinned
# The band is the frame's own picture (the silver scheme's, active: its row 15),
# read from the program's run-length resources.
check "the title band wears the scheme's picture" '[ "$(pixel_at Ombrilo 200 15)" = "#C0C0D6" ]'

# A right or middle press on the title band moves nothing: the window must not
# follow the pointer, during the press or after it.
for button in 3 2; do
    xdotool mousemove $((cx + 150)) $((cy + 12)) mousedown $button
    sleep 0.3
    xdotool mousemove $((cx + 190)) $((cy + 42))
    sleep 0.3
    xdotool mouseup $button
    sleep 0.2
    xdotool mousemove $((cx + 230)) $((cy + 72))
    sleep 0.5
    check "button $button on the title band leaves the window where it was" \
        '[ "$(window_line | awk "{ print \$4, \$5 }")" = "$cx $cy" ]'
done

# Drag the title band 60 pixels right and 40 down.
xdotool mousemove $((cx + 150)) $((cy + 12)) mousedown 1
sleep 0.3
xdotool mousemove $((cx + 180)) $((cy + 32))
sleep 0.3
xdotool mousemove $((cx + 210)) $((cy + 52))
sleep 0.3
xdotool mouseup 1
check "the title band moves the window" \
    '[ "$(window_line | awk "{ print \$4, \$5 }")" = "$((cx + 60)) $((cy + 40))" ]'
shot moved

read -r _ _ _ cx cy _ left top right bottom _ <<<"$(window_line)"
xdotool mousemove $((right - 16)) $((top + 15)) click 1
check "the close button ends the program" 'tavrik_ends_within 1'
journey_end
