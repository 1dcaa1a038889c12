#!/bin/bash
# The windows at 120, 144, 168 and 192 DPI (LogPixels in a prefix of the
# journey's own): the in-process checks that every label and the picker show
# their whole text, and that no two controls overlap and a row keeps one
# height, run at each. At 144 and 192 the skinned frame's band, caption
# buttons and title icon are the design's times DPI/96 and the contents start
# below the band. Screenshots of the main, setup and help windows and the
# gallery (menu strip, XP buttons) at 144 and 192 DPI.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"
win32_tests="$(cd "$(dirname "$dosdev")" && pwd)/tests/tavrik_win32_tests.exe"
gallery="$(dirname "$dosdev")/gallery.exe"

own_prefix
mkdir -p "$work/One"
one=$(winepath -w "$work/One")
scaled() { echo $(((($1 * $2) + 48) / 96)); }  # design pixels at a DPI, halves up
# The first visible child of the class: its x y w h.
child_box() { info dump "$1" | awk -v c="$2" '$1 == "child" && $2 == c && $10 == 1 { print $3, $4, $5, $6; exit }'; }

for dpi in 120 144 168 192; do
    wineserver -k 2>/dev/null
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w 2>/dev/null
    wineserver -p

    check "the labels and the picker show their whole text, and no controls overlap, at $dpi DPI" \
        bash -c "cd '$(dirname "$win32_tests")' && wine '$win32_tests' --gtest_brief=1 \
                 --gtest_filter='SimWindows.EveryLabel*:SimWindows.NoTwoControls*:Drawing.HookedMenuRows*' \
                 >'$work/tests-$dpi.txt' 2>&1"
    grep -q PASSED "$work/tests-$dpi.txt" || tail -20 "$work/tests-$dpi.txt"
    case $dpi in 120 | 168) continue ;; esac

    start_tavrik Ombrilo "$one" || { fail "no main window at $dpi DPI"; continue; }
    shot "main-$dpi"
    # The mounted list's menu, with its pictures, on a line just mounted.
    click_at Ombrilo "$(scaled 40 "$dpi")" "$(scaled 60 "$dpi")"
    click_at Ombrilo "$(scaled 40 "$dpi")" "$(scaled 123 "$dpi")" 3
    shot "mounted-menu-$dpi"
    keys u
    check "the menu's Unmount unmounts at $dpi DPI" '[ -z "$(items_at Ombrilo "$(scaled 6 "$dpi")" "$(scaled 116 "$dpi")")" ]'
    button=$(scaled 21 "$dpi") band=$(scaled 30 "$dpi") icon=$(scaled 16 "$dpi")
    read -r _ _ w h <<<"$(child_box Ombrilo TavrikCaptionButton)"
    check "caption buttons are $button pixels at $dpi DPI" [ "${w:-0}x${h:-0}" = "${button}x${button}" ]
    read -r y strip <<<"$(info dump Ombrilo | awk '$1 == "child" && $2 == "TavrikFramePane" && / text Menu bar$/ { print $4, $6 }')"
    check "the menu strip and contents start below a band of $band pixels" [ "${y:-0}" = "$band" ]
    check "the menu strip is $(scaled 24 "$dpi") pixels deep" [ "${strip:-0}" = "$(scaled 24 "$dpi")" ]
    read -r _ top _ _ <<<"$(child_box Ombrilo TavrikCaptionButton)"
    check "the caption buttons sit in the band's middle" [ "$(((band - button) / 2))" -le "${top:-0}" ]

    click_at Ombrilo "$(scaled 100 "$dpi")" "$(scaled 60 "$dpi")"  # Setup
    wait_window "Mount @ Win Startup" && shot "setup-$dpi"
    keys Escape
    wait_gone "Mount @ Win Startup" || close_window "Mount @ Win Startup"
    click_at Ombrilo "$(scaled 170 "$dpi")" "$(scaled 60 "$dpi")"  # Help
    wait_window Help && shot "help-$dpi"
    close_window Help
    stop_tavrik

    wine "$gallery" &
    tavrik_pid=$!
    wait_window Gallery && shot "gallery-$dpi"
    stop_tavrik
done

journey_end
