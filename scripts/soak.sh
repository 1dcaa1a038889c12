#!/bin/bash
# Soaks the real Tavrik.exe under Wine: random but valid input from a seed for
# the given minutes (default 10), on a fresh seed unless one is given, with
# invariants checked from outside after every step. It prints the seed, and on
# a failure the step; the same seed replays the same steps.
#   scripts/soak.sh [minutes] [seed]
# Builds what it needs first, and runs on a Wine environment of its own
# (TAVRIK_SOAK_BUILD names another build folder; TAVRIK_OWN_DISPLAY=0 uses the
# display in DISPLAY).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${TAVRIK_SOAK_BUILD:-build/win32}

scripts/setup.sh
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target Tavrik dosdev wininfo -j"$(nproc)"

source scripts/wine-env.sh
trap wine_env_stop EXIT
TAVRIK_OWN_DISPLAY=${TAVRIK_OWN_DISPLAY:-1} wine_env_start "$(cd "$build" && pwd)"
python3 tests/e2e/soak.py --exe "$build/Tavrik.exe" --bin "$build" --out "$build/soak" \
    --minutes "${1:-10}" ${2:+--seed "$2"}
