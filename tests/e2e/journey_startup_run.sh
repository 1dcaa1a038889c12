#!/bin/bash
# "/ini": every valid pair of the start-up list is bound, lines without a TAB or
# with a missing folder are skipped, and the program ends by itself.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

mkdir -p "$work/Folder One" "$work/two"
one=$(winepath -w "$work/Folder One")
two=$(winepath -w "$work/two")
for letter in N: O: P:; do dos remove $letter >/dev/null 2>&1; done

printf 'n: \t%s\r\n\r\nno tab here\r\no: \t%s\\missing\r\np: \t%s\r\n' "$one" "$two" "$two" >"$work/mount.ini"
before=$(folder_state)

run_tavrik /ini || fail "/ini did not end by itself"
dos query N: | grep -q '^\\??\\' && pass "N: bound" || fail "N: not bound"
dos query O: >/dev/null && fail "O: bound to a missing folder" || pass "missing folder skipped"
dos query P: | grep -qi '\\two$' && pass "P: bound after the skipped lines" || fail "P: not bound"
[ "$(folder_state)" = "$before" ] && pass "list files untouched" || fail "the list files changed"

for letter in N: O: P:; do dos remove $letter >/dev/null 2>&1; done
journey_end
