#!/bin/bash
# Builds Tavrik.exe and runs it under Wine. Arguments are passed on as its
# command line; with none, it is offered a folder of this checkout to mount.
# Without a display it runs on a virtual one, saves a screenshot and ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 --target Tavrik -j"$(nproc)"
exe="$root/build/win32/Tavrik.exe"

headless=0
[ -n "${DISPLAY:-}" ] || headless=1

source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start "$root/build/win32"

args=("$@")
[ ${#args[@]} -gt 0 ] || args=("$(winepath -w "$root/engine")")

if [ "$headless" = 0 ]; then
    wine "$exe" "${args[@]}"
    exit 0
fi

wine "$exe" "${args[@]}" &
pid=$!
shot="$root/build/win32/screenshots/run.png"
mkdir -p "$(dirname "$shot")"
if window=$(timeout 15 xdotool search --sync --onlyvisible --name '^Ombrilo$' 2>/dev/null | head -1) && [ -n "$window" ]; then
    sleep 1
    import -window root "$shot"
    echo "Screenshot of the main window: $shot"
else
    echo "No main window appeared (the program may have ended by itself)."
fi
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
