#!/bin/bash
# Odd command lines and odd list files: the program never crashes, never changes
# a list file the user did not change, never defines a name that is no drive
# letter, and never takes C: or Z: away.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

SETUP_BUTTON="104 60"; SETUP="Mount @ Win Startup"

disks_kept() { dos query C: >/dev/null && dos query Z: >/dev/null; }
no_stray_names() {
    local name
    for name in ':' '1:' '?:' '*:' ' :'; do
        dos query "$name" >/dev/null 2>&1 && return 1
    done
    return 0
}
# The program must still be running (a crash ends it) when its window is closed.
still_running() { [ -n "$tavrik_pid" ] && kill -0 "$tavrik_pid" 2>/dev/null; }

# --- command lines -----------------------------------------------------------
printf 'C:\\Data\r\n' >"$work/Tavrik.ini"
printf 'm: \tc:\\data\r\n' >"$work/mount.ini"
before=$(folder_state)
long32k=$(head -c 32000 /dev/zero | tr '\0' a)
long_path="C:\\$(head -c 300 /dev/zero | tr '\0' b)"

# Each ends by itself with its code: 1 for a free letter, 2 for no letter or a
# drive of its own (Z: is Wine's root).
for form_code in -=2 -M=1 -M:=1 -m=1 -C=2 -Z=2 -1=2 '-*=2'; do
    form=${form_code%=*}
    run_tavrik "$form" >/dev/null
    code=$?
    if [ "$code" = "${form_code##*=}" ]; then pass "'$form' ended by itself with ${form_code##*=}"; else fail "'$form' ended with $code"; fi
done
for form in "" /INI "/ini " '"C:\windows"' "$long32k" "$long_path"; do
    label=${form:0:12}
    if [ -z "$form" ]; then start_tavrik Ombrilo; else start_tavrik Ombrilo "$form"; fi
    if [ $? = 0 ]; then
        still_running && pass "'$label' opened the main window" || fail "'$label' ended"
    else
        fail "'$label' showed no main window"
    fi
    stop_tavrik
done
disks_kept && pass "C: and Z: are still there" || fail "a command line took a disk's letter"
no_stray_names && pass "no stray device names" || fail "a stray device name was defined"
[ "$(folder_state)" = "$before" ] && pass "command lines left the list files alone" || fail "a list file changed"

# --- list files ----------------------------------------------------------------
# Each kind of file serves as both the history and the start-up list; every one
# that holds a pair for q: with a real folder binds it, and junk letters bind nothing.
junk=$'1: \tC:\\windows\r\n?: \tC:\\windows\r\n*: \tC:\\windows\r\n\tC:\\windows\r\n: \tC:\\windows\r\n'
write_kind() { # kind
    case $1 in
        empty) : >"$work/mount.ini" ;;
        no-tab) printf 'q: C:\\windows\r\njust text\r\n' >"$work/mount.ini" ;;
        empty-lines) printf '\r\n\r\nq: \tC:\\windows\r\n\r\n%s' "$junk" >"$work/mount.ini" ;;
        lf-only) printf 'q: \tC:\\windows\n1: \tC:\\windows\n' >"$work/mount.ini" ;;
        cr-only) printf 'q: \tC:\\windows\r1: \tC:\\windows\r' >"$work/mount.ini" ;;
        binary) head -c 4096 /dev/urandom >"$work/mount.ini"; printf 'q: \tC:\\windows\r\n\0\r\n' >>"$work/mount.ini" ;;
        10mb) { printf 'q: \tC:\\windows\r\n'; head -c 10485760 /dev/zero | tr '\0' x; } >"$work/mount.ini" ;;
    esac
    cp "$work/mount.ini" "$work/Tavrik.ini"
}
binds_q() { case $1 in empty-lines|lf-only|cr-only) return 0 ;; *) return 1 ;; esac; }

for kind in empty no-tab empty-lines lf-only cr-only binary 10mb; do
    write_kind "$kind"
    before=$(folder_state)
    if run_tavrik /ini; then pass "$kind: the start-up run ended"; else fail "$kind: the start-up run failed ($?)"; fi
    if binds_q "$kind"; then
        dos query Q: >/dev/null && pass "$kind: q: bound" || fail "$kind: q: not bound"
    else
        dos query Q: >/dev/null && fail "$kind: q: bound from a list that holds no such pair"
    fi
    free_letters Q
    no_stray_names || fail "$kind: a stray device name was defined"
    if start_tavrik Ombrilo; then
        still_running && pass "$kind: the main window read the history" || fail "$kind: the main window ended"
    else
        fail "$kind: no main window"
    fi
    stop_tavrik
    [ "$(folder_state)" = "$before" ] && pass "$kind: the list files are unchanged" || fail "$kind: a list file changed"
done
disks_kept || fail "a list file took a disk's letter"

# A list the setup window cannot read is reported and left as it is.
setup_leaves_alone() { # what
    local before
    before=$(md5sum <"$work/mount.ini")
    start_tavrik Ombrilo || { fail "$1: no main window"; return; }
    click_at Ombrilo $SETUP_BUTTON
    check "$1: the setup window says the list cannot be read" 'wait_window "ERROR!" 1'
    shot "$1"
    keys Return
    check "$1: the setup window opens after the message" 'wait_window "$SETUP" 1'
    close_window "$SETUP"
    check "$1: the setup window closes without another message" '! info exists "$SETUP" && ! info exists "ERROR!"'
    [ "$(md5sum <"$work/mount.ini")" = "$before" ] && pass "$1: the list is untouched" || fail "$1: the list changed"
    stop_tavrik
}
write_kind binary
setup_leaves_alone binary
write_kind 10mb
setup_leaves_alone 10mb

printf 'q: \tc:\\windows\r\n' >"$work/mount.ini"
coproc HOLDER { wine "$dosdev" hold "$work_win\\mount.ini"; }
read -r -t 10 held <&"${HOLDER[0]}"
[ "${held%$'\r'}" = held ] || fail "could not hold the list open"
run_tavrik /ini || fail "held: the start-up run failed"
dos query Q: >/dev/null && fail "held: q: bound from a list nobody could read"
setup_leaves_alone held
echo >&"${HOLDER[1]}"
wait "$HOLDER_PID" 2>/dev/null

# A hidden list is still the user's list: read, bound, and hidden after a save.
printf 'q: \tc:\\windows\r\n' >"$work/mount.ini"
wine attrib +h "$work_win\\mount.ini" >/dev/null 2>&1
run_tavrik /ini || fail "hidden: the start-up run failed"
dos query Q: >/dev/null && pass "hidden: q: bound" || fail "hidden: q: not bound"
free_letters Q
start_tavrik Ombrilo || fail "hidden: no main window"
click_at Ombrilo $SETUP_BUTTON
check "hidden: the setup window shows the pair" 'wait_window "$SETUP" 1 && [ "$(items_at "$SETUP" 6 88)" = "q: \tc:\windows" ]'
close_window "$SETUP"
check "hidden: the setup window closes" '! info exists "$SETUP"'
check "hidden: the list is written back as it was" '[ "$(cat "$work/mount.ini")" = $'"'"'q: \tc:\\windows\r'"'"' ]'
wine attrib "$work_win\\mount.ini" | tr -d '\r' | grep -q '^ *A\? *H' && pass "hidden: still hidden" || fail "hidden: no longer hidden"
stop_tavrik

# A read-only list is not replaced. Closing the setup window unchanged writes
# nothing; closing it with an edit says the list could not be saved, and Cancel
# keeps the window open with the edit, No closes it without saving.
wine attrib -h +r "$work_win\\mount.ini" >/dev/null 2>&1
before=$(md5sum <"$work/mount.ini")
start_tavrik Ombrilo || fail "read-only: no main window"
click_at Ombrilo $SETUP_BUTTON
wait_window "$SETUP" 1 || fail "read-only: no setup window"
close_window "$SETUP"
check "read-only: unchanged, it closes without a word" '! info exists "$SETUP" && ! info exists "ERROR!"'
click_at Ombrilo $SETUP_BUTTON
wait_window "$SETUP" 1 || fail "read-only: no setup window again"
click_at "$SETUP" 40 95
keys Delete
close_window "$SETUP"
check "read-only: closing after an edit says the list could not be saved" 'wait_window "ERROR!" 1'
shot read-only-save
keys Escape
check "read-only: Cancel keeps the window and its edit" \
    '! info exists "ERROR!" && info exists "$SETUP" && [ -z "$(items_at "$SETUP" 6 88)" ]'
close_window "$SETUP"
check "read-only: asked again" 'wait_window "ERROR!" 1'
keys n
check "read-only: No closes it" '! info exists "$SETUP" && ! info exists "ERROR!"'
stop_tavrik
[ "$(md5sum <"$work/mount.ini")" = "$before" ] && pass "read-only: the list is untouched" || fail "read-only: the list changed"
wine attrib -r "$work_win\\mount.ini" >/dev/null 2>&1

# A program folder nobody may write to (a read-only mount; the tests run as
# root, whom file modes do not stop): lists are read and bound; a mount says
# the history could not be written, and closing the edited setup window says
# the list could not be saved.
ro="$work/readonly"
mkdir -p "$ro"
cp "$work/Tavrik.exe" "$ro/"
printf 'q: \tc:\\windows\r\n' >"$ro/mount.ini"
printf 'C:\\windows\r\n' >"$ro/Tavrik.ini"
if mount --bind "$ro" "$ro" 2>/dev/null && mount -o remount,bind,ro "$ro" 2>/dev/null; then
    trap 'umount "$ro" 2>/dev/null; journey_cleanup' EXIT
    before=$(cd "$ro" && md5sum mount.ini Tavrik.ini)
    timeout 20 wine "$ro/Tavrik.exe" /ini || fail "read-only folder: the start-up run failed"
    dos query Q: >/dev/null && pass "read-only folder: q: bound" || fail "read-only folder: q: not bound"
    free_letters Q
    stop_tavrik
    wine "$ro/Tavrik.exe" 'C:\windows\system32' &
    tavrik_pid=$!
    wait_window Ombrilo || fail "read-only folder: no main window"
    click_at Ombrilo 40 60  # mount a folder the history lacks: it cannot grow, and says so
    check "read-only folder: the history says it could not be written" 'wait_window "ERROR!" 1'
    keys Return
    check "read-only folder: the folder is mounted all the same" '[ -n "$(items_at Ombrilo 6 116)" ]'
    click_at Ombrilo $SETUP_BUTTON
    wait_window "$SETUP" 1 || fail "read-only folder: no setup window"
    click_at "$SETUP" 40 95
    keys Delete
    close_window "$SETUP"
    check "read-only folder: closing says the list could not be saved" 'wait_window "ERROR!" 1'
    keys n
    check "read-only folder: No closes the window" '! info exists "$SETUP"'
    stop_tavrik
    [ "$(cd "$ro" && md5sum mount.ini Tavrik.ini)" = "$before" ] && pass "read-only folder: the lists are untouched" ||
        fail "read-only folder: a list changed"
    free_letters D E F G
    umount "$ro"
else
    echo "skipped: no read-only mount here (not root?)"
fi

disks_kept && pass "C: and Z: are still there" || fail "a disk's letter is gone"
journey_end
