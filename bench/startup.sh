#!/bin/bash
# Time from starting Tavrik.exe with a folder path to its main window being
# shown, against a Win32 program that only opens one window; both measured the
# same way in one run under Wine, alternating, and the ratio of the medians
# printed. Usage: bench/startup.sh [runs]   (after scripts/test.sh or run.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
build="$root/build/win32"
cmake --build "$build" --target Tavrik bench_minimal_window bench_time_to_window >/dev/null

source "$root/scripts/wine-env.sh"
work=$(mktemp -d)
trap 'wine_env_stop; rm -rf "$work"' EXIT
wine_env_start "$build"

cp "$build/Tavrik.exe" "$work/"
mkdir -p "$work/BenchFolder"
folder=$(winepath -w "$work/BenchFolder")
timer="$build/bench/bench_time_to_window.exe"

measure() { wine "$timer" "$@" | tr -d '\r'; }
measure Ombrilo "$(winepath -w "$work/Tavrik.exe")" "$folder" >/dev/null  # warm-up
measure Minimal "$(winepath -w "$build/bench/bench_minimal_window.exe")" >/dev/null

tavrik=() minimal=()
for _ in $(seq 1 "$runs"); do
    tavrik+=("$(measure Ombrilo "$(winepath -w "$work/Tavrik.exe")" "$folder")")
    minimal+=("$(measure Minimal "$(winepath -w "$build/bench/bench_minimal_window.exe")")")
done

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
minimum() { printf '%s\n' "$@" | sort -g | head -1; }
t=$(median "${tavrik[@]}")
m=$(median "${minimal[@]}")
echo "runs: $runs each, alternating"
echo "Tavrik.exe with a folder to its main window: median ${t} ms (min $(minimum "${tavrik[@]}") ms)"
echo "minimal one-window program:                  median ${m} ms (min $(minimum "${minimal[@]}") ms)"
awk -v t="$t" -v m="$m" 'BEGIN { printf "ratio Tavrik / minimal: %.2f\n", t / m }'
