# Shared by the journeys: a private copy of the exe in a folder of its own, so
# its list files are the journey's, and small checks that report and fail.
set -u

journey_setup() {
    exe=$1
    dosdev=$2
    out_dir=$3
    mkdir -p "$out_dir"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$exe" "$work/Tavrik.exe"
    failures=0
}

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# Runs the copy with the given command line; it must end by itself in time.
run_tavrik() {
    timeout 20 wine "$work/Tavrik.exe" "$@"
}

# Starts the copy in the background and waits for its main window; true when
# the window showed. The program is ended afterwards.
shows_main_window() {
    wine "$work/Tavrik.exe" "$@" &
    local pid=$! shown=1
    timeout 15 xdotool search --sync --onlyvisible --name '^Ombrilo$' >/dev/null 2>&1 && shown=0
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return $shown
}

dos() { wine "$dosdev" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# A fingerprint of every file in the work folder: names, sizes, contents.
folder_state() { (cd "$work" && find . -type f ! -name Tavrik.exe -print0 | sort -z | xargs -0 -r md5sum); }

# True when no window of the program is on the screen.
no_window() { ! xdotool search --onlyvisible --name '^Ombrilo$' >/dev/null 2>&1; }

journey_end() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "journey passed"
}
