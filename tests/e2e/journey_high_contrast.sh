#!/bin/bash
# A black high-contrast colour scheme (white text on black faces and windows),
# set in the journey's own prefix: every label, menu-strip item and XP button
# caption of the main window and the gallery still reads at 4.5:1 or more
# against what it is drawn on, measured from the screen's pixels. Wine never
# reports high contrast as on, so this is the scheme without the switch: the
# program's fixed beige must not take the scheme's white text.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"
gallery="$(dirname "$dosdev")/gallery.exe"

own_prefix
colors='HKCU\Control Panel\Colors'
while read -r name value; do
    wine reg add "$colors" /v "$name" /d "$value" /f >/dev/null 2>&1
done <<'EOF'
ButtonFace 0 0 0
ButtonText 255 255 255
Window 0 0 0
WindowText 255 255 255
Menu 0 0 0
MenuBar 0 0 0
MenuText 255 255 255
Hilight 26 235 255
HilightText 0 0 0
GrayText 63 242 63
ActiveTitle 0 0 0
TitleText 255 255 255
InfoWindow 0 0 0
InfoText 255 255 255
EOF

# The contrast of a text with what it is drawn on, in a client rectangle of a
# window: the commonest colour is the background, the text the pixel that
# stands out from it most.
contrast_in() { # caption x y w h
    local origin
    origin=$(info dump "$1" | awk '$1 == "window" { print $4, $5 }')
    set -- "$1" "$2" "$3" "$4" "$5" $origin
    import -window root -crop "$4x$5+$(($6 + $2))+$(($7 + $3))" -depth 8 txt:- 2>/dev/null | python3 -c '
import collections, re, sys
pixels = [tuple(int(v) for v in m.groups()) for m in
          (re.search(r"\((\d+),(\d+),(\d+)", line) for line in sys.stdin if not line.startswith("#")) if m]
def lum(c):
    f = lambda v: v / 255 / 12.92 if v / 255 <= 0.03928 else ((v / 255 + 0.055) / 1.055) ** 2.4
    return 0.2126 * f(c[0]) + 0.7152 * f(c[1]) + 0.0722 * f(c[2])
def ratio(a, b):
    hi, lo = sorted((lum(a), lum(b)), reverse=True)
    return (hi + 0.05) / (lo + 0.05)
back = collections.Counter(pixels).most_common(1)[0][0]
print("%.2f" % max(ratio(p, back) for p in pixels))'
}
# Every enabled child of the classes given reads at 4.5:1 (greyed text is
# meant to read less, as WCAG allows); a child is inset by its
# border (XP buttons keep rings and outlines in their outer 4 pixels).
texts_read() { # caption class inset [class inset...]
    local caption=$1 all_read=0 seen=0 kind x y w h ratio
    shift
    while [ $# -gt 0 ]; do
        while read -r kind x y w h; do
            ratio=$(contrast_in "$caption" $((x + $2)) $((y + $2)) $((w - 2 * $2)) $((h - 2 * $2)))
            echo "  $kind at $x,$y: $ratio:1"
            seen=$((seen + 1))
            awk -v r="$ratio" 'BEGIN { exit !(r >= 4.5) }' || all_read=1
        done < <(info dump "$caption" | awk -v c="$1" '$1 == "child" && $2 == c && $8 == 1 && $10 == 1 { print $2, $3, $4, $5, $6 }')
        shift 2
    done
    [ "$seen" -gt 0 ] || { echo "  no text found"; return 1; }
    return $all_read
}

mkdir -p "$work/One"
start_tavrik Ombrilo "$(winepath -w "$work/One")" || fail "no main window"
shot main
check "the main window's labels read at 4.5:1" texts_read Ombrilo Static 0
stop_tavrik

wine "$gallery" &
tavrik_pid=$!
wait_window Gallery || { fail "no gallery"; journey_end; }
shot gallery
check "the gallery's label, menu items and XP buttons read at 4.5:1" \
    texts_read Gallery Static 0 TavrikMenuItem 1 TavrikXPButton 4

journey_end
