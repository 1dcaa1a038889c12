# Shared by the journeys: a private copy of the exe in a folder of its own, so
# its list files are the journey's, and the means to drive and read its windows
# from outside as a person would see them.
set -u

journey_setup() {
    exe=$1
    dosdev=$2
    out_dir=$3
    wininfo="$(dirname "$dosdev")/wininfo.exe"
    journey=$(basename "$0" .sh)
    mkdir -p "$out_dir"
    work=$(mktemp -d)
    tavrik_pid=""
    trap journey_cleanup EXIT
    cp "$exe" "$work/Tavrik.exe"
    work_win=$(winepath -w "$work")
    failures=0
}

journey_cleanup() {
    [ -n "$tavrik_pid" ] && kill "$tavrik_pid" 2>/dev/null
    [ -n "$tavrik_pid" ] && wait "$tavrik_pid" 2>/dev/null
    rm -rf "$work"
}

# Runs the rest of the journey on a copy of the prefix under another locale:
# Wine takes its ANSI code page from the locale (en_US 1252, pl_PL 1250,
# ru_RU 1251), and a locale needs a wine server of its own.
use_locale() { # language_TERRITORY
    mkdir -p "$work/locale"
    localedef -i "$1" -f UTF-8 "$work/locale/$1.UTF-8" >/dev/null 2>&1 || { fail "no $1 locale"; journey_end; }
    export LOCPATH="$work/locale"
    { export LC_ALL=$1.UTF-8; } 2>/dev/null  # for Wine; this shell needs no locale
    own_prefix
}

# Runs the rest of the journey on a copy of the prefix with a server of its
# own, whose settings the journey may change.
own_prefix() {
    cp -a "$WINEPREFIX" "$work/prefix"
    export WINEPREFIX="$work/prefix"
    trap 'wineserver -k 2>/dev/null; journey_cleanup' EXIT
    wineserver -p
    # The new server's first programs may not see C: yet; a program started
    # then would offer it as a free letter.
    local i
    for i in $(seq 1 50); do
        wine cmd /c 'if exist C:\windows\system32 echo ready' 2>/dev/null | grep -q ready && break
        sleep 0.2
    done
}

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
# check "what" command args...   runs the command once.
# check "what" 'condition'        evaluates the condition (expanded only then)
#                                 until it holds, giving a slow machine a few
#                                 seconds to catch up before it counts as failed.
check() {
    local what=$1 i
    shift
    if [ $# -gt 1 ]; then
        if "$@"; then pass "$what"; else fail "$what"; fi
        return
    fi
    for i in $(seq 1 25); do
        if eval "$1"; then
            pass "$what"
            return 0
        fi
        sleep 0.2
    done
    fail "$what"
}

# Runs the copy with the given command line; it must end by itself in time.
run_tavrik() { timeout 20 wine "$work/Tavrik.exe" "$@"; }

# Starts the copy in the background and waits for the named window.
start_tavrik() { # start_tavrik <caption> [args...]
    local caption=$1
    shift
    stop_tavrik  # one at a time: an earlier copy left running would outlive the journey
    wine "$work/Tavrik.exe" "$@" &
    tavrik_pid=$!
    wait_window "$caption"
}

# True when the program started by start_tavrik ends by itself within the time.
tavrik_ends_within() { # seconds
    local i
    for i in $(seq 1 $(($1 * 10))); do
        kill -0 "$tavrik_pid" 2>/dev/null || { wait "$tavrik_pid" 2>/dev/null; tavrik_pid=""; return 0; }
        sleep 0.1
    done
    return 1
}

# True when no window of the program is on the screen.
no_window() { ! info exists Ombrilo && ! info exists Splash; }

# Starts the copy, true when its main window shows; the program is ended afterwards.
shows_main_window() {
    start_tavrik Ombrilo "$@"
    local shown=$?
    stop_tavrik
    return $shown
}

stop_tavrik() {
    [ -n "$tavrik_pid" ] || return 0
    kill "$tavrik_pid" 2>/dev/null
    wait "$tavrik_pid" 2>/dev/null
    tavrik_pid=""
}

dos() { wine "$dosdev" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }
info() { wine "$wininfo" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

wait_window() { # caption [seconds]
    local i
    for i in $(seq 1 $((${2:-15} * 10))); do
        info exists "$1" && { sleep 0.3; return 0; }
        sleep 0.1
    done
    return 1
}

wait_gone() { # caption [seconds]
    local i
    for i in $(seq 1 $((${2:-10} * 10))); do
        info exists "$1" || return 0
        sleep 0.1
    done
    return 1
}

# The child of a window at a client position (pixels): its whole "child" line.
child_at() { # caption x y
    info dump "$1" | awk -v x="$2" -v y="$3" '$1 == "child" && $3 == x && $4 == y { print; exit }'
}

# The items of the list (or combo) box at a client position, one a line, tabs as \t.
items_at() { # caption x y
    info dump "$1" | awk -v x="$2" -v y="$3" '
        $1 == "child" { inside = ($3 == x && $4 == y) ; next }
        inside && $1 == "item" { sub(/^item [0-9]+ /, ""); print }'
}

# A field of a child line: text, enabled, visible, selected.
field_of() { # "child line" name
    awk -v name="$2" '{ for (i = 1; i <= NF; i++) if ($i == name) { if (name == "text") { sub(/.* text /, ""); print } else print $(i + 1); exit } }' <<<"$1"
}

# Clicks a client position of a window (pixels).
click_at() { # caption x y [button]
    local origin
    origin=$(info dump "$1" | awk '$1 == "window" { print $4, $5 }')
    [ -n "$origin" ] || return 1
    set -- "$1" "$2" "$3" "${4:-1}" $origin
    xdotool mousemove $(($5 + $2)) $(($6 + $3)) click "$4"
    sleep 0.4
}

# Clicks a window's own close button (Wine draws the frame; no window manager).
close_window() { # caption
    local outer
    outer=$(info dump "$1" | awk '$1 == "window" { print $9, $8 }')  # right, top
    [ -n "$outer" ] || return 1
    set -- $outer
    xdotool mousemove $(($1 - 11)) $(($2 + 11)) click 1
    sleep 0.4
}

# The colour of a client pixel of a window on the screen, as #RRGGBB.
pixel_at() { # caption x y
    local origin
    origin=$(info dump "$1" | awk '$1 == "window" { print $4, $5 }')
    [ -n "$origin" ] || return 1
    set -- "$1" "$2" "$3" $origin
    import -window root -crop "1x1+$(($4 + $2))+$(($5 + $3))" -depth 8 txt:- 2>/dev/null |
        grep -o '#[0-9A-F]\{6\}' | head -1
}

keys() { xdotool key --delay 60 "$@"; sleep 0.4; }

shot() { import -window root "$out_dir/$journey-$1.png"; }

folder_state() { (cd "$work" && find . -type f ! -name Tavrik.exe -print0 | sort -z | xargs -0 -r md5sum); }

free_letters() { local letter; for letter in "$@"; do dos remove "$letter:" >/dev/null 2>&1; done; return 0; }

# A Wine prefix nobody has installed into, with a server of its own that is
# warmed before use and ended with the journey (and with it the program the
# journey started as $runner_pid), set up as the test environment is, for the
# build's own architecture.
runner_pid=""
fresh_prefix_cleanup() {
    [ -n "$runner_pid" ] && kill "$runner_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    journey_cleanup
}
fresh_prefix() {
    local started
    started=$(date +%s)
    trap fresh_prefix_cleanup EXIT
    export WINEPREFIX="$work/prefix" WINEARCH=${WINEARCH:-win32}  # the build's own architecture
    mkdir -p "$WINEPREFIX"
    wineserver -p
    wine cmd /c ver >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    echo "fresh prefix ready after $(($(date +%s) - started)) s"
}

# The registry's native view: under 64-bit Wine the console's reg is the
# 32-bit one, which sees HKLM\Software through WOW6432Node.
reg_view() { [ "${WINEARCH:-win32}" = win64 ] && echo /reg:64; }
# Data of a registry value ("" for the key's default value); fails when absent.
reg_value() { # key [name]
    local out
    if [ -n "${2:-}" ]; then out=$(wine reg query "$1" /v "$2" $(reg_view) 2>/dev/null); else out=$(wine reg query "$1" /ve $(reg_view) 2>/dev/null); fi
    [ $? -eq 0 ] || return 1
    tr -d '\r' <<<"$out" | sed -n 's/^    .*    REG_[A-Z_]*    //p' | head -1
}
key_exists() { wine reg query "$1" $(reg_view) >/dev/null 2>&1; }
# The type of a registry value (REG_SZ, REG_DWORD, ...).
reg_type() { wine reg query "$1" /v "$2" $(reg_view) 2>/dev/null | tr -d '\r' | sed -n 's/^    .*    \(REG_[A-Z_]*\)    .*/\1/p' | head -1; }
win_env() { wine cmd /c echo "%$1%" | tr -d '\r'; }
# The folder a letter is bound to, as a Linux path (the binding holds a short form).
bound_folder() { local target; target=$(dos query "$1") || return 1; winepath -u "${target#'\??\'}" 2>/dev/null | sed 's:/$::'; }

journey_end() {
    stop_tavrik
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "journey passed"
}
