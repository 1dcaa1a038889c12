#!/bin/bash
# "-" and a letter: the letter's bindings are removed and the program ends at
# once, shows no window and leaves the list files alone. A disk letter is refused.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

printf 'C:\\Data\r\n' >"$work/Tavrik.ini"
printf 'm: \tc:\\data\r\n' >"$work/mount.ini"
before=$(folder_state)

dos remove M: >/dev/null 2>&1
for form in -M -m -M: -mX; do
    dos define M: 'C:\windows' || fail "could not define M: from outside"
    if run_tavrik "$form"; then pass "'$form' ended by itself"; else fail "'$form' did not end cleanly ($?)"; fi
    if dos query M: >/dev/null; then fail "'$form' left M: defined"; else pass "'$form' removed M:"; fi
    no_window || fail "'$form' left a window"
done

# Text with a blank reaches the program quoted, so it is no unmount request.
dos define M: 'C:\windows' || fail "could not define M: from outside"
shows_main_window "-M extra" || fail "a quoted dash text showed no main window"
dos query M: >/dev/null && pass "a quoted dash text removed nothing" || fail "a quoted dash text removed M:"
dos remove M: >/dev/null 2>&1

# No window is needed, so no display either.
dos define M: 'C:\windows' || fail "could not define M: from outside"
DISPLAY=:999 run_tavrik -M || fail "-M without a display did not end cleanly"
if dos query M: >/dev/null; then fail "-M without a display left M: defined"; else pass "-M without a display removed M:"; fi

# Without a display the main window cannot be made: the program says so with its
# exit code and ends, rather than waiting unseen.
DISPLAY=:999 run_tavrik 'C:\windows'
check "no main window to make: exit code 1" [ $? = 1 ]

run_tavrik -C >/dev/null
check "-C, a drive of its own, ends with 2" [ $? = 2 ]
if dos query C: | grep -q '^\\Device\\'; then pass "-C left C: defined"; else fail "-C removed C:"; fi
dos query Z: >/dev/null || fail "Z: is gone"

start=$(date +%s%N)
run_tavrik - >/dev/null
check "'-', no letter, ends with 2" [ $? = 2 ]
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
echo "'-' ended after ${elapsed_ms} ms"
dos query C: >/dev/null || fail "'-' removed C:"
no_window || fail "'-' left a window"

[ "$(folder_state)" = "$before" ] && pass "list files untouched" || fail "the list files changed"
journey_end
