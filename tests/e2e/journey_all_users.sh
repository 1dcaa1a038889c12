#!/bin/bash
# Tavrik for every user of a machine, in a fresh Wine prefix of its own: the
# setup's silent all-users install (Program Files, HKLM, each user's lists in
# %APPDATA%\Tavrik, the administrator's list bound first and trusted only
# while only administrators can change it), a per-user install refused over
# it, its uninstall; then the MSI installed, upgraded in place by a newer one
# and removed with msiexec, refused over the setup's all-users install and
# refusing the setup over it.
source "$(dirname "$0")/lib.sh"
journey_setup "$@"

PICKER="350 92"; MOUNT="40 60"
SETUP_BUTTON="104 60"; SETUP="Mount @ Win Startup"; SETUP_LIST="6 88"

bin=$(dirname "$dosdev")
setup=${TAVRIK_SETUP:-$(ls -t "$bin"/Tavrik-*-setup.exe 2>/dev/null | head -1)}
msi=$(ls -t "$bin"/Tavrik-*-x??.msi 2>/dev/null | head -1)
[ -n "$setup" ] && [ -n "$msi" ] || { echo "FAIL: no setup program or MSI beside $dosdev"; exit 1; }

started=$(date +%s)
fresh_prefix

VERB='HKLM\Software\Classes\Directory\shell\Mount'
RUN='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrik'
USER_KEYS=('HKCU\Software\Classes\Directory\shell\Mount' 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrik')

# The native Program Files: the console is 32-bit, and under 64-bit Wine its
# %ProgramFiles% is "Program Files (x86)".
program_files=$(win_env ProgramW6432)
[[ $program_files == %* ]] && program_files=$(win_env ProgramFiles)
home_win="$program_files\\Tavrik"
home=$(winepath -u "$home_win" 2>/dev/null)
installed_exe="\"$home_win\\Tavrik.exe\""
lists=$(winepath -u "$(win_env APPDATA)\\Tavrik" 2>/dev/null)
admin=$(winepath -u "$(win_env ProgramData)\\Tavrik" 2>/dev/null)
per_user_home=$(winepath -u "$(win_env LOCALAPPDATA)\\Programs\\Tavrik" 2>/dev/null)

# The machine's registrations and files, as either installer leaves them.
check_installed() { # what
    check "$1: the program and its mark are in Program Files" \
        '[ -f "$home/Tavrik.exe" ] && [ -f "$home/Tavrik.allusers" ]'
    check "$1: the folder verb is the machine's" \
        '[ "$(reg_value "$VERB\\command")" = "$installed_exe %1" ]'
    check "$1: every user's log-on runs the start-up run" '[ "$(reg_value "$RUN" Tavrik)" = "$installed_exe /ini" ]'
    check "$1: the folder of the administrator's list is there" '[ -d "$admin" ]'
    local key
    for key in "${USER_KEYS[@]}"; do
        check "$1: nothing under $key" '! key_exists "$key"'
    done
}
check_removed() { # what
    check "$1: the program is gone" '[ ! -e "$home/Tavrik.exe" ] && [ ! -e "$home/Tavrik.allusers" ]'
    check "$1: the verb and the log-on run are gone" '! key_exists "$VERB" && ! reg_value "$RUN" Tavrik >/dev/null'
    check "$1: the user's lists and the administrator's list stay" \
        '[ -f "$lists/mount.ini" ] && [ -f "$lists/Tavrik.ini" ] && [ -f "$admin/mount.ini" ]'
}

# 1. The setup, silently, for all users.
check "setup /S /ALLUSERS ends by itself and succeeds" timeout 60 wine "$setup" /S /ALLUSERS
check_installed "setup"
common_shortcut="$(winepath -u "$(win_env ProgramData)" 2>/dev/null)/Microsoft/Windows/Start Menu/Programs/Tavrik.lnk"
check "a Start menu shortcut for all users" '[ -f "$common_shortcut" ]'
check "installed programs: the machine's entry, pointing at Program Files" \
    '[ "$(reg_value "$UNINSTALL" InstallLocation)" = "$home_win" ] &&
     [ "$(reg_value "$UNINSTALL" QuietUninstallString)" = "\"$home_win\\Uninstall.exe\" /S" ]'
if [ -n "${TAVRIK_SIGN_CA:-}" ]; then
    check "the installed program and its uninstaller are signed" \
        bash "$(dirname "$0")/check_signatures.sh" "$TAVRIK_SIGN_CA" "$home/Tavrik.exe" "$home/Uninstall.exe"
fi
wine "$setup" /S
check "a per-user install over it is refused with exit code 2" [ $? = 2 ]
check "and put nothing in the user's program folder" '[ ! -e "$per_user_home" ]'

# 2. The main window keeps this user's history in %APPDATA%\Tavrik.
mkdir -p "$work/Photos"
folder=$(winepath -w "$work/Photos")
wine "$dosdev" run "$installed_exe $folder" &
runner_pid=$!
wait_window Ombrilo || fail "no main window"
letter=$(field_of "$(child_at Ombrilo $PICKER)" text)
letter=${letter%% *}
click_at Ombrilo $MOUNT
check "the folder is mounted" '[ "$(bound_folder "$letter")" = "$work/Photos" ]'
check "the history is in %APPDATA%\\Tavrik, not beside the exe" \
    '[ "$(cat "$lists/Tavrik.ini" 2>/dev/null)" = "$folder"$'"'"'\r'"'"' ] && [ ! -e "$home/Tavrik.ini" ]'

# 3. The administrator's list and the user's, each naming S:.
mkdir -p "$work/Legacy" "$work/Mine"
legacy=$(winepath -w "$work/Legacy"); mine=$(winepath -w "$work/Mine")
printf 'S: \t%s\r\nB: \t%s\r\n' "$legacy" 'C:\no such folder' >"$admin/mount.ini"
chmod 644 "$admin/mount.ini"
printf 's: \t%s\r\nt: \t%s\r\nb: \t%s\r\n' "$mine" "$mine" "$mine" >"$lists/mount.ini"
click_at Ombrilo $SETUP_BUTTON
check "the setup window opens" 'wait_window "$SETUP" 1'
# (The list's items as wininfo gives them: a TAB as "\t".)
admin_lines="s: \\t$(tr A-Z a-z <<<"$legacy")\\t(set by your administrator)
b: \\tc:\\no such folder\\t(set by your administrator)"
check "it shows the administrator's lines first, marked, then the user's three" \
    '[ "$(items_at "$SETUP" $SETUP_LIST | head -2)" = "$admin_lines" ] && [ "$(items_at "$SETUP" $SETUP_LIST | wc -l)" = 5 ]'
shot setup-window
close_window "$SETUP"
close_window Ombrilo
check "the program ends" 'wait_gone Ombrilo 5'
wait "$runner_pid" 2>/dev/null
runner_pid=""
free_letters "$letter" S T B

logon=$(reg_value "$RUN" Tavrik)
check "the log-on run ends by itself" timeout 20 wine "$dosdev" run "$logon"
check "S: is the administrator's" '[ "$(bound_folder S:)" = "$work/Legacy" ]'
check "T: is the user's" '[ "$(bound_folder T:)" = "$work/Mine" ]'
check "B: stays the administrator's letter though its folder is gone" '! dos query B: >/dev/null'
check "the administrator's list is as it was" '! grep -q Mine "$admin/mount.ini"'
free_letters S T B
# Writable by everyone (Wine reads the file's mode as its rights), the
# administrator's list is nobody's list.
chmod o+w "$admin/mount.ini"
check "the log-on run ends by itself again" timeout 20 wine "$dosdev" run "$logon"
check "a list anyone can write binds nothing: S: is the user's" '[ "$(bound_folder S:)" = "$work/Mine" ]'
chmod o-w "$admin/mount.ini"
free_letters S T B

# 4. The setup's uninstall, silent: the machine's registrations go.
check "the uninstaller runs" timeout 60 wine "$dosdev" run "$(reg_value "$UNINSTALL" QuietUninstallString)"
check_removed "setup uninstall"
check "the installed-programs entry and the shortcut are gone" '! key_exists "$UNINSTALL" && [ ! -e "$common_shortcut" ]'

# 5. The MSI, as Group Policy would run it.
msi_win=$(winepath -w "$msi")
check "msiexec /i /qn succeeds" timeout 120 wine msiexec /i "$msi_win" /qn
check_installed "MSI"
check "the MSI registers itself with installed programs" \
    'wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s $(reg_view) 2>/dev/null | tr -d "\r" |
     grep -qE "DisplayName +REG_SZ +Tavrik$"'
wine "$setup" /S /ALLUSERS
check "the setup refuses to install over the MSI, exit code 2" [ $? = 2 ]
check "the log-on run binds the administrator's list" timeout 20 wine "$dosdev" run "$(reg_value "$RUN" Tavrik)"
check "S: is the administrator's again" '[ "$(bound_folder S:)" = "$work/Legacy" ]'
free_letters S T B
# A newer package, from the same source and files, upgrades it in place.
mkdir -p "$work/newer"
cp "$bin/installer/msi/"* "$work/newer/"
arch=${msi##*-}; arch=${arch%.msi}
win64=no; [ "$arch" = x64 ] && win64=yes
(cd "$work/newer" && wixl -D Version=99.0.1 -D Exe=Tavrik.exe -D Mark=Tavrik.allusers -D Icon=Tavrik.ico \
    -D Win64=$win64 -a "$arch" -o newer.msi "$(cd "$(dirname "$0")/../../installer" && pwd)/Tavrik.wxs") ||
    fail "no newer package"
newer_win=$(winepath -w "$work/newer/newer.msi")
installed_versions() {
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s $(reg_view) 2>/dev/null | tr -d '\r' |
        awk '/DisplayName +REG_SZ +Tavrik$/ { mine = 1 } /^HKEY/ { mine = 0 } mine && /DisplayVersion/ { print $3 }'
}
check "the older package is installed" '[ "$(installed_versions)" = 3.0.25 ]'
check "msiexec /i of the newer package succeeds" timeout 120 wine msiexec /i "$newer_win" /qn
check "it replaced the older one: one Tavrik, the newer" '[ "$(installed_versions)" = 99.0.1 ]'
check_installed "upgrade"
check "msiexec /x /qn succeeds" timeout 120 wine msiexec /x "$newer_win" /qn
check_removed "MSI removal"
check "Program Files\\Tavrik is gone" '[ ! -e "$home" ]'

# 6. The MSI refuses to install over the setup's all-users install.
check "setup /S /ALLUSERS again" timeout 60 wine "$setup" /S /ALLUSERS
wine msiexec /i "$msi_win" /qn
check "the MSI is refused over it" [ $? != 0 ]
check "and the setup's install is as it was" '[ -f "$home/Uninstall.exe" ] && key_exists "$UNINSTALL"'

echo "journey took $(($(date +%s) - started)) s"
journey_end
