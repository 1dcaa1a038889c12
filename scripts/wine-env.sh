# Sourced by the run and test scripts: a Wine environment of our own, with its
# own prefix, display and persistent server, that stops what it started.
#   wine_env_start <build dir>   sets WINEPREFIX, DISPLAY and friends
#   wine_env_stop                ends our Xvfb and wine server

_wine_env_xvfb_pid=""

wine_env_start() {
    local build_dir=$1
    export WINEPREFIX="$build_dir/wineprefix"
    # A 64-bit build runs in a 64-bit prefix of its own.
    if grep -q '^CMAKE_TOOLCHAIN_FILE.*x86_64' "$build_dir/CMakeCache.txt" 2>/dev/null; then
        export WINEARCH=win64
    else
        export WINEARCH=win32
    fi
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="

    if [ -z "${DISPLAY:-}" ] || [ "${TAVRIK_OWN_DISPLAY:-0}" = 1 ]; then
        # Xvfb picks a free display itself and writes its number once it
        # listens: two environments started at once never share one.
        local numbers n i
        numbers=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numbers" >/dev/null 2>&1 &
        _wine_env_xvfb_pid=$!
        for i in $(seq 1 100); do
            [ -s "$numbers" ] && break
            sleep 0.1
        done
        n=$(head -n 1 "$numbers")
        rm -f "$numbers"
        [ -n "$n" ] || { echo "Xvfb did not start" >&2; return 1; }
        export DISPLAY=":$n"
        xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY" >&2; return 1; }
    fi

    local fresh=0
    [ -f "$WINEPREFIX/system.reg" ] || fresh=1
    mkdir -p "$WINEPREFIX"
    # A persistent server, warmed: without it every Wine start waits for the
    # background services, and an unwarmed one hangs the first test.
    wineserver -p
    wine cmd /c ver >/dev/null 2>&1 || true
    if [ "$fresh" = 1 ]; then
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # No window manager under Xvfb: Wine draws the frames itself.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
}

wine_env_stop() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
    if [ -n "$_wine_env_xvfb_pid" ]; then
        kill "$_wine_env_xvfb_pid" 2>/dev/null || true
        wait "$_wine_env_xvfb_pid" 2>/dev/null || true
        _wine_env_xvfb_pid=""
    fi
}
