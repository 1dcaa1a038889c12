#!/bin/bash
# The controls no window of the program places, driven with real input on the
# gallery form: XP push buttons (hover, press, quick click, keys, access key,
# disabled), the frame's menu-strip labels, and its caption buttons on a
# sizable form.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"
gallery="$(dirname "$dosdev")/gallery.exe"

HOVER_RING="#FEDF9A"; PRESSED_EDGE="#D1CCC0"
log() { field_of "$(child_at Gallery 20 120)" text; }
outer_width() { info dump Gallery | awk '$1 == "window" { print $9 - $7 }'; }
point() { # client x y -> screen x y
    info dump Gallery | awk -v x="$1" -v y="$2" '$1 == "window" { print $4 + x, $5 + y }'
}

wine "$gallery" &
tavrik_pid=$!
wait_window Gallery || { fail "no gallery"; journey_end; }
shot shown

# Hover, then a press held: the hover ring, then the pressed face.
read -r x y <<<"$(point 50 75)"
xdotool mousemove "$x" "$y"
sleep 0.2
xdotool mousemove $((x + 1)) "$y"  # the same point twice is no move
check "the pointer lights the button's ring" '[ "$(pixel_at Gallery 21 62)" = "$HOVER_RING" ]'
shot hover
xdotool mousedown 1
check "a held press draws the button pressed" '[ "$(pixel_at Gallery 60 61)" = "$PRESSED_EDGE" ]'
shot pressed
xdotool mouseup 1
check "the release clicks" '[ "$(log)" = "First clicked 1" ]'

# A quick click: press and release together, and the face ends released.
read -r x y <<<"$(point 150 75)"
xdotool mousemove "$x" "$y" click 1
check "a quick click clicks" '[ "$(log)" = "Second clicked 2" ]'
xdotool mousemove 5 5
check "and leaves the button drawn released" '[ "$(pixel_at Gallery 150 61)" != "$PRESSED_EDGE" ]'

keys Return
check "Enter clicks the focused button" '[ "$(log)" = "Second clicked 3" ]'
keys space
check "so does Space" '[ "$(log)" = "Second clicked 4" ]'
keys alt+f
check "Alt and its access key click the other" '[ "$(log)" = "First clicked 5" ]'
read -r x y <<<"$(point 240 75)"
xdotool mousemove "$x" "$y" click 1
sleep 0.3
check "a disabled button clicks nothing" '[ "$(log)" = "First clicked 5" ]'

# The menu strip's label opens its menu on the press.
click_at Gallery 24 42
shot menu
keys Down Return
check "the menu's item is chosen" '[ "$(log)" = "Open chosen 6" ]'

# Caption buttons: maximize fills the screen, a second press restores.
before=$(outer_width)
read -r x y <<<"$(point 360 15)"
xdotool mousemove "$x" "$y"
sleep 0.2
xdotool mousemove $((x + 1)) "$y"
sleep 0.3
shot caption-hover
xdotool click 1
check "maximize widens the window" '[ "$(outer_width)" -gt "$before" ]'
shot maximized
read -r _ _ _ _ _ _ _ top right _ <<<"$(info dump Gallery | awk '$1 == "window"')"
xdotool mousemove $((right - 38)) $((top + 15)) sleep 0.2 mousemove $((right - 37)) $((top + 15)) sleep 0.2 click 1
check "the second press restores it" '[ "$(outer_width)" = "$before" ]'

read -r _ _ _ _ _ _ _ top right _ <<<"$(info dump Gallery | awk '$1 == "window"')"
xdotool mousemove $((right - 15)) $((top + 15)) sleep 0.2 mousemove $((right - 14)) $((top + 15)) sleep 0.2 click 1
check "the close button closes it" 'tavrik_ends_within 2'
journey_end
