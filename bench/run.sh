#!/bin/bash
# Every start-up figure in one run under Wine, each as a median over several
# runs (alternating with its yardstick) and a ratio against that yardstick:
#   - start with a folder to the main window shown and painted, against a
#     program that only opens one window, and against a bare program that
#     opens a window of the main window's design (what such a window costs);
#   - the unmount mode, against programs that make the same one call (GUI and
#     console);
#   - the start-up run of 24 pairs, against 1000 ms + the one-window start;
#   - the task for programs run as administrator binding the same pairs,
#     against 1000 ms;
#   - the exe's size, and the CPU the main window takes when left alone,
#     against the two windows.
# Usage: bench/run.sh [runs] [build folder]   (after scripts/test.sh or scripts/run.sh)
#   the build folder is build/win32 unless named: build/win64 times the 64-bit
#   program, its yardsticks built alike, under 64-bit Wine
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
build=$(cd "${2:-$root/build/win32}" && pwd)
cmake --build "$build" --target Tavrik dosdev bench_minimal_window bench_same_window bench_time_to_window bench_one_call_gui \
    bench_one_call_console >/dev/null

source "$root/scripts/wine-env.sh"
work=$(mktemp -d)
tavrik_pid=""
trap '[ -n "$tavrik_pid" ] && kill "$tavrik_pid" 2>/dev/null; wine_env_stop; rm -rf "$work"' EXIT
wine_env_start "$build"

cp "$build/Tavrik.exe" "$work/"
exe=$(winepath -w "$work/Tavrik.exe")
bench=$(winepath -w "$build/bench")
mkdir -p "$work/BenchFolder"
folder=$(winepath -w "$work/BenchFolder")
letters=(D E F G H I J K L M N O P Q R S T U V W X Y)
for i in $(seq 1 24); do
    mkdir -p "$work/pair$i"
    printf '%s: \t%s\r\n' "$(tr 'A-Z' 'a-z' <<<"${letters[$(((i - 1) % ${#letters[@]}))]}")" \
        "$(winepath -w "$work/pair$i")" >>"$work/mount.ini"
done

# Each run starts on a settled machine: the one before it has ended and been
# cleaned up by the Wine server, so that no run pays for its predecessor.
# The figure is the timer's last line: a program timed may print lines of its
# own to the output it inherits (the unmount mode says what it did).
timed() { sleep 0.3; wine "$build/bench/bench_time_to_window.exe" "$@" | tr -d '\r' | tail -n 1; }
dos() { wine "$build/dosdev.exe" "$@" >/dev/null 2>&1 || true; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
# The median of the ratios run by run: a program and its yardstick run one
# after the other, on the machine as it is at that moment, so that the drift of
# a shared, noisy machine over the whole run cancels out.
paired() {
    local -n of=$1 against=$2
    local i ratios=()
    for i in "${!of[@]}"; do ratios+=("$(ratio "${of[$i]}" "${against[$i]}")"); done
    printf '%.2f' "$(median "${ratios[@]}")"
}

# The task's run for programs run as administrator, with a list of the same 24
# pairs, each run binding all of them anew: the option turned on for the
# bench (Wine needs no prompt) and off again at the end.
wine "$work/Tavrik.exe" /elevated on >/dev/null 2>&1 || true
elevated_list=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")/Tavrik/elevated.ini
{ head -1 "$elevated_list"; sed 's/^\([a-z]\): \t/\U\1:\t/' "$work/mount.ini"; } >"$work/elevated.ini"
trap '[ -n "$tavrik_pid" ] && kill "$tavrik_pid" 2>/dev/null; wine "$work/Tavrik.exe" /elevated off >/dev/null 2>&1; wine_env_stop; rm -rf "$work"' EXIT

# Warm every program once: the first start of each pays for the disk cache.
timed Ombrilo "$exe" "$folder" >/dev/null
timed Minimal "$bench\\bench_minimal_window.exe" >/dev/null
timed Ombrilo "$bench\\bench_same_window.exe" >/dev/null
timed - "$bench\\bench_one_call_gui.exe" >/dev/null
timed - "$bench\\bench_one_call_console.exe" >/dev/null

shown=() minimal=() same=() unmount=() gui=() console=() startup=() sync=()
for _ in $(seq 1 "$runs"); do
    shown+=("$(timed Ombrilo "$exe" "$folder")")
    minimal+=("$(timed Minimal "$bench\\bench_minimal_window.exe")")
    same+=("$(timed Ombrilo "$bench\\bench_same_window.exe")")
    dos define Q: 'C:\windows'
    unmount+=("$(timed - "$exe" -Q)")
    dos define Q: 'C:\windows'
    gui+=("$(timed - "$bench\\bench_one_call_gui.exe")")
    dos define Q: 'C:\windows'
    console+=("$(timed - "$bench\\bench_one_call_console.exe")")
    startup+=("$(timed - "$exe" /ini)")
    dos remove "${letters[@]/%/:}"
    cp "$work/elevated.ini" "$elevated_list"
    sync+=("$(timed - "$exe" /elevated-sync)")
    dos remove "${letters[@]/%/:}"
done

s=$(median "${shown[@]}") m=$(median "${minimal[@]}") w=$(median "${same[@]}")
u=$(median "${unmount[@]}") g=$(median "${gui[@]}") c=$(median "${console[@]}")
r=$(median "${startup[@]}") y=$(median "${sync[@]}")
limit=$(awk -v m="$m" 'BEGIN { print 1000 + m + 30 }')
echo "runs: $runs each, alternating (medians in ms; a ratio is the median of the run-by-run ratios)"
printf '%-44s %8s  yardstick %8s  ratio %s (goal 1.10)\n' "start to main window shown and painted" "$s" "$m" "$(paired shown minimal)"
printf '%-44s %8s  yardstick %8s  ratio %s\n' "  the same, against a bare window of its design" "$s" "$w" "$(paired shown same)"
printf '%-44s %8s  yardstick %8s  ratio %s\n' "  that bare window, against the one-window one" "$w" "$m" "$(paired same minimal)"
printf '%-44s %8s  yardstick %8s  ratio %s (goal 1.10)\n' "-Q, against a GUI program making the call" "$u" "$g" "$(paired unmount gui)"
printf '%-44s %8s  yardstick %8s  ratio %s\n' "-Q, against a console program making it" "$u" "$c" "$(paired unmount console)"
printf '%-44s %8s  limit     %8s  ratio %s (goal 1.00)\n' "/ini with 24 pairs, start to end" "$r" "$limit" "$(ratio "$r" "$limit")"
printf '%-44s %8s  limit     %8s  ratio %s (goal 0.50)\n' "the administrator's task binding 24 pairs" "$y" 1000 "$(ratio "$y" 1000)"
size=$(stat -c %s "$build/Tavrik.exe")
printf '%-44s %8s  limit     %8s  ratio %s (goal 1.00)\n' "Tavrik.exe, bytes" "$size" 1048576 "$(ratio "$size" 1048576)"

# Idle: CPU ticks a window takes in 20 s with the pointer away from it. The
# yardsticks show what the machine itself charges an idle window: nothing for
# an empty one; a tick now and then for one of the main window's design, whose
# focused picker blinks its caret.
idle_ticks() {
    wine "$@" >/dev/null &
    tavrik_pid=$!
    sleep 3
    local before
    before=$(awk '{ print $14 + $15 }' "/proc/$tavrik_pid/stat")
    sleep 20
    echo $(($(awk '{ print $14 + $15 }' "/proc/$tavrik_pid/stat") - before))
    kill "$tavrik_pid" 2>/dev/null
    wait "$tavrik_pid" 2>/dev/null || true
    tavrik_pid=""
}
xdotool mousemove 0 0 2>/dev/null || true
idle=$(idle_ticks "$work/Tavrik.exe" "$folder")
idleMinimal=$(idle_ticks "$build/bench/bench_minimal_window.exe")
idleSame=$(idle_ticks "$build/bench/bench_same_window.exe")
printf '%-44s %8s  yardsticks %3s (one window), %s (its design)\n' "idle main window, CPU ticks in 20 s" "$idle" \
    "$idleMinimal" "$idleSame"
