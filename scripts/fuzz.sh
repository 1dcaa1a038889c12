#!/bin/bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer)
# in build/fuzz and runs each for a bounded time, two at a time, on a copy of its
# committed seed corpus. Fails on any finding; the input is kept in build/fuzz/findings.
#   TAVRIK_FUZZ_SECONDS   seconds per target (default 30)
#   scripts/fuzz.sh [target...]   only these (e.g. fuzz_startup)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${TAVRIK_FUZZ_SECONDS:-30}
build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRIK_FUZZ=ON >/dev/null
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_lines fuzz_startup fuzz_history fuzz_cmdline fuzz_longpath fuzz_query fuzz_paths)
if ! cmake --build "$build" -j2 --target "${targets[@]}" >"$build/build.log" 2>&1; then
    cat "$build/build.log" >&2
    exit 1
fi

# Longest input worth trying: a list file or reply of a few kilobytes says it all.
max_len() {
    case $1 in
        fuzz_cmdline|fuzz_longpath) echo 1024 ;;
        fuzz_query|fuzz_paths) echo 1100 ;;
        *) echo 4096 ;;
    esac
}

run_one() {
    local target=$1 work="$build/run/$1"
    rm -rf "$work" "$build/findings/$target"
    mkdir -p "$work/corpus" "$build/findings/$target"
    cp tests/fuzz/corpus/"$target"/* "$work/corpus/"
    if "$build/$target" -max_total_time="$seconds" -max_len="$(max_len "$target")" -timeout=10 \
        -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$build/findings/$target/" \
        "$work/corpus" >"$work/log" 2>&1; then
        echo "$target: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | grep -o '[0-9]*$') runs, no finding"
    else
        echo "$target: FINDING, see $work/log and $build/findings/$target/" >&2
        grep -E 'ERROR:|invariant broken|SUMMARY|#[0-9]+ 0x.* in ' "$work/log" | grep -v -E ' in (fuzzer::|__sanitizer|__libc|_start|main |raise|abort|__pthread)' | head -20 >&2
        return 1
    fi
}

status=0
pids=()
for target in "${targets[@]}"; do
    run_one "$target" &
    pids+=($!)
    # Two at a time: the machine has two cores.
    if [ ${#pids[@]} -eq 2 ]; then
        wait "${pids[0]}" || status=1
        pids=("${pids[1]}")
    fi
done
for pid in "${pids[@]}"; do
    wait "$pid" || status=1
done
exit $status
