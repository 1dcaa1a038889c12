#!/bin/bash
# Tavrik.exe must be a GUI program of its architecture (x86, or x64) that
# imports system DLLs only, from System32 alone, and carries its manifest and
# version 3.0.25; it stays under 1 MB, and the DLLs only some starts need are
# loaded when needed, not imported.
#   check_exe.sh <exe> [x86|x64]
set -u
exe=$1
arch=${2:-x86}
fail() { echo "FAIL: $*"; exit 1; }
case $arch in
    x86) tools=i686-w64-mingw32 format=pei-i386 flags_offset=0x36 ;;  # the dependent-load flags' offset
    x64) tools=x86_64-w64-mingw32 format=pei-x86-64 flags_offset=0x4E ;;
    *) fail "no architecture $arch" ;;
esac

headers=$($tools-objdump -p "$exe") || fail "objdump could not read $exe"
grep -q "file format $format" <<<"$headers" || fail "not an $arch PE"
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a GUI-subsystem program"

system_dlls='^(kernel32|user32|gdi32|shlwapi|shell32|comctl32|comdlg32|advapi32|ole32|oleaut32|msvcrt|uxtheme|msimg32)\.dll$'
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || fail "no imports found"
while read -r dll; do
    grep -Eq "$system_dlls" <<<"$dll" || fail "imports a non-system DLL: $dll"
done <<<"$dlls"

for lazy in comctl32.dll shell32.dll ole32.dll shlwapi.dll uxtheme.dll; do
    grep -qx "$lazy" <<<"$dlls" && fail "imports $lazy, which only some starts need"
done
# Its imports, and theirs, are looked for in System32 alone: the load
# configuration's dependent-load flags are LOAD_LIBRARY_SEARCH_SYSTEM32 (0x800).
read -r config_rva config_size < <(awk '/Load Configuration Directory/ { print $3, $4 }' <<<"$headers")
[ "${config_size:-00000000}" != 00000000 ] || fail "no load configuration"
base=$(awk '$1 == "ImageBase" { print $2 }' <<<"$headers")
flags_at=$((0x$base + 0x$config_rva + flags_offset))
flags=$($tools-objdump -s --start-address=$flags_at --stop-address=$((flags_at + 2)) "$exe" |
        awk '/^ [0-9a-f]+ / { print $2; exit }')
[ "$flags" = 0008 ] || fail "the load configuration's dependent-load flags are ${flags:-missing}, not System32 alone"
size=$(stat -c %s "$exe")
[ "$size" -le 1048576 ] || fail "$size bytes, more than 1 MB"

rsrc=$(mktemp)
trap 'rm -f "$rsrc"' EXIT
$tools-objcopy -O binary --only-section=.rsrc "$exe" "$rsrc" || fail "no resources"
grep -q 'Microsoft.Windows.Common-Controls' < <(strings "$rsrc") || fail "no common-controls manifest"
grep -q 'asInvoker' < <(strings "$rsrc") || fail "manifest does not run asInvoker"
grep -q '<dpiAwareness[^>]*>PerMonitorV2, PerMonitor<' < <(strings "$rsrc") || fail "manifest does not declare per-monitor v2"
grep -q '<dpiAware[^>]*>true/pm<' < <(strings "$rsrc") || fail "manifest has no per-monitor fallback"
grep -q '^3\.0\.25$' < <(strings -el "$rsrc") || fail "no version 3.0.25 in the version resource"
grep -q '^Tavrik$' < <(strings -el "$rsrc") || fail "no product name in the version resource"
echo "ok: $size bytes, $(wc -l <<<"$dlls") system DLLs: $(tr '\n' ' ' <<<"$dlls")"
