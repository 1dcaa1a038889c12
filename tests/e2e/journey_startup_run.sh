#!/bin/bash
# "/ini": the splash shows "Tavrik 3.0.25", about one second later every valid
# pair of the start-up list is bound (lines without a TAB or with a missing
# folder are skipped), and the program ends by itself.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

mkdir -p "$work/Folder One" "$work/two"
one=$(winepath -w "$work/Folder One")
two=$(winepath -w "$work/two")
free_letters N O P

printf 'n: \t%s\r\n\r\nno tab here\r\no: \t%s\\missing\r\np: \t%s\r\n' "$one" "$two" "$two" >"$work/mount.ini"
before=$(folder_state)

started=$(date +%s%N)
wine "$work/Tavrik.exe" /ini &
tavrik_pid=$!
for _ in $(seq 1 100); do info exists Splash && break; sleep 0.05; done
shown_ms=$((($(date +%s%N) - started) / 1000000))
# Both looked at together: the splash is up for about a second, and a busy
# machine can spend that on starting one Wine process after the other.
splash=$(mktemp)
info dump Splash >"$splash" &
dumping=$!
check "nothing is bound while the splash first shows" bash -c "! wine '$dosdev' query N: >/dev/null"
wait "$dumping"
check "the splash reads Tavrik 3.0.25" grep -q "text Tavrik 3\.0\.25$" "$splash"
rm -f "$splash"
shot splash
check "the program ends by itself" tavrik_ends_within 10
ended_ms=$((($(date +%s%N) - started) / 1000000))
echo "splash seen after ${shown_ms} ms, program ended after ${ended_ms} ms"
check "the run waited about a second" [ "$ended_ms" -ge 1000 ]

check "N: bound" grep -q '^\\??\\' < <(dos query N:)
check "the missing folder is skipped" bash -c "! wine '$dosdev' query O: >/dev/null"
check "P: bound after the skipped lines" grep -qi '\\two$' < <(dos query P:)
check "the list file is untouched" [ "$(folder_state)" = "$before" ]

free_letters N O P
journey_end
