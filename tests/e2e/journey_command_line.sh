#!/bin/bash
# As a console user and a script see the program: "-X" ends with 0 when X:'s
# folder binding was removed, 1 when it had none, 2 for no letter or a disk,
# and says which in one line; a folder with blanks in quotes is mounted and
# recorded without them; "/?" opens the help window alone and records nothing.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

MOUNTED="6 116"; HISTORY="6 210"
free_letters D Q
mkdir -p "$work/Bound" "$work/My Folder"
dos define Q: "$(winepath -w "$work/Bound")" >/dev/null || fail "could not bind Q:"

# The codes, read by a batch file.
cat >"$work/codes.cmd" <<CMD
@echo off
"$work_win\\Tavrik.exe" -Q
echo code %ERRORLEVEL%
"$work_win\\Tavrik.exe" -Q
echo code %ERRORLEVEL%
"$work_win\\Tavrik.exe" -C
echo code %ERRORLEVEL%
"$work_win\\Tavrik.exe" -1
echo code %ERRORLEVEL%
CMD
sed -i 's/$/\r/' "$work/codes.cmd"
out=$(cd "$work" && timeout 60 wine cmd /c codes.cmd 2>/dev/null | tr -d '\r')
echo "$out"
check "the batch file reads 0, 1, 2, 2" [ "$(grep '^code' <<<"$out" | tr '\n' ' ')" = "code 0 code 1 code 2 code 2 " ]
check "Q: is free" '! dos query Q: >/dev/null'
check "C: is still there" 'dos query C: >/dev/null' 
check "each run says what happened" [ "$(grep -c '^Tavrik: ' <<<"$out")" = 4 ]
check "the first run says Q: was unmounted" grep -qxF 'Tavrik: Q: was unmounted.' <<<"$out"
check "no list file was written" '[ ! -e "$work/Tavrik.ini" ] && [ ! -e "$work/mount.ini" ]' 

# A folder with blanks, in quotes, as a console passes it.
start_tavrik Ombrilo "$(winepath -w "$work/My Folder")" || fail "no main window for a quoted folder"
keys Return
check "the quoted folder is bound to D:" 'items_at Ombrilo $MOUNTED | grep -qF "D: \t$work_win\\My Folder"'
check "the history holds it without quotes" '[ "$(cat "$work/Tavrik.ini")" = "$work_win\\My Folder"$'"'"'\r'"'"' ]'
check "and shows it" '[ "$(items_at Ombrilo $HISTORY)" = "$work_win\\My Folder" ]'
shot quoted
stop_tavrik
free_letters D
rm -f "$work/Tavrik.ini"

# "/?": the help window alone, nothing mounted, nothing recorded.
start_tavrik Help "/?" || fail "no help window for /?"
check "the help window is alone" '! info exists Ombrilo'
shot help
keys Escape
check "closing it ends the program" tavrik_ends_within 5
check "nothing was recorded" [ ! -e "$work/Tavrik.ini" ]

journey_end
