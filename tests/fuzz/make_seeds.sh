#!/bin/bash
# Writes the seed corpora in tests/fuzz/corpus: small hand-made inputs of each
# kind, from which the fuzzers start. Run it from anywhere; it rewrites them all.
set -euo pipefail
corpus=$(cd "$(dirname "$0")" && pwd)/corpus
rm -rf "$corpus"
mkdir -p "$corpus"/{fuzz_lines,fuzz_startup,fuzz_history,fuzz_cmdline,fuzz_longpath,fuzz_query,fuzz_paths}

long=$(printf 'Long Folder Name %.0s' {1..12})  # about 200 characters

# Line splits: every line end style, mixed ones, none, NULs and high bytes.
cd "$corpus/fuzz_lines"
printf 'one\r\ntwo\r\n\r\nthree\r\n' > crlf
printf 'one\ntwo\n\nthree' > lf-last-open
printf 'one\rtwo\r\rthree\r' > cr-only
printf 'a\r\n\n\r\r\nb\n\rc' > mixed
printf '' > empty
printf '\r\n' > one-empty-line
printf 'no line end at all' > no-end
printf 'nul\0inside\r\n\0\r\n\377\376\r' > binary
printf '%s\r\n%s' "$long" "$long" > long-lines

# mount.ini: "x: " TAB folder pairs, and the lines a hand edit leaves.
cd "$corpus/fuzz_startup"
printf 'm: \tc:\\data\r\nn: \tc:\\program files\\common files\r\n' > two-pairs
printf 'M: \tC:\\DATA\nD: \tD:\\Long Folder Name\n' > lf-only-disk-over
printf 'p: \tc:\\progra~1\rq: \tc:\\data\\\r' > cr-only-short
printf 'm: c:\\data\r\nno tab here\r\n\r\n' > no-tab
printf '1: \tc:\\data\r\n?: \tc:\\data\r\n\351: \tc:\\data\r\n' > not-letters
printf '\tc:\\data\r\n \tc:\\data\r\n\\: \tc:\\data\r\n' > empty-letters
printf 'm: \tc:\\nowhere\r\nn: \t\r\no: \tc:\\data\tmore\r\n' > missing-folders
printf 'm: \tc:\\data\r\nm: \tc:\\tools\\tavrik\r\nc: \tc:\\data\r\nx: \tm:\\\r\n' > stacked-and-chained
printf '' > empty
printf 'z: \t%s\r\n\0: \tc:\\data\r\n' "$long" > long-and-nul
# Built lines, three bytes each (letter field, folder, separator and end).
printf '\000\000\000\001\003\001\142\005\002\103\007\010' > built-pairs
printf '\000\010\000\300\000\000\000\000\014\000\013\004' > built-skipped-then-bound
printf '\000\000\000\000\003\000\000\006\000' > built-stacked

# Tavrik.ini: one command-line text per line.
cd "$corpus/fuzz_history"
printf 'C:\\Data\r\nC:\\Program Files\\Data\r\n' > crlf
printf 'C:\\Data\nC:\\Other' > lf-open-end
printf 'C:\\Data\r' > cr-end
printf ' "C:\\With Quotes"  \r\n\r\n-M\r\n/ini\r\n' > odd-texts
printf '' > empty
printf '\0\0\r\n\377\r\n' > binary
printf '%s\r\n%s' "$long" "$long" > long-lines
# Built names: a code page byte, then name pieces; 0xFF starts the next name.
printf '\000\000\001\010\377\016\014\377\361' > built-1252
printf '\001\012\013\377\016\020\377\002\004' > built-1250-cyrillic
printf '\003\022\021\377\365\377' > built-utf8-surrogate-long

# Command lines: the modes and the letters the unmount mode may be given.
cd "$corpus/fuzz_cmdline"
printf -- '-M' > unmount-m
printf -- '-m: extra' > unmount-lower-with-tail
printf -- '-N' > unmount-stacked
printf -- '-D:' > unmount-over-disk
printf -- '-C' > unmount-disk
printf -- '-' > dash-alone
printf '/ini' > startup
printf 'C:\\Data' > folder
printf '' > empty
printf -- '-\351\0M' > odd-letter
printf '"-M extra"' > quoted-dash-folder
printf '  "C:\\My Folder" ' > quoted-folder
printf '/?' > help

# Paths for the long form.
cd "$corpus/fuzz_longpath"
printf 'C:\\PROGRA~1\\COMMON~1' > short-forms
printf 'c:\\program files\\read me.txt' > file
printf 'C:\\DOCUME~1\\ALLUSE~1\\' > hidden-trailing
printf 'M:\\Common Files' > bound-letter
printf 'C:\\DATA\\x.y.z\\..\\.\\x.y.z' > dots
printf 'C:/Program Files//Common Files/' > slashes
printf 'C:\\Data\0\\Program Files' > nul
printf 'C' > one-char
printf '\\\\server\\share\\dir' > unc
printf 'C:\\%s\\%s' "$long" "$long" > long
# Built trees: a placing byte, then name pieces up to a byte with its top bit set.
printf '\000\010\011\200\002\015\016\200\003\014\200' > built-nested
printf '\100\020\021\200\142\022\200\041\004\004\200' > built-hidden-system

# Query replies: strings NUL-separated, a closing NUL.
cd "$corpus/fuzz_query"
printf '\\??\\C:\\DATA\0\0' > folder
printf '\\??\\UNC\\server\\share\0\0' > unc
printf '\\??\\C:\\TWO\0\\??\\C:\\ONE\0\0' > stacked
printf '\\??\\C:\\DATA\0\\Device\\HarddiskVolume2\0\0' > folder-over-disk
printf '\\Device\\HarddiskVolume1\0\0' > disk
printf '\\Device\\Odd??Name\0\0' > marker-inside
printf '\\??\\C:\\DATA  \0   \0\0' > blanks
printf '\\??\\' > no-closing-nul
printf '\0' > empty-list
printf '\\??\\C:\\%s\0\0' "$long" > long

# Path conversions: two bytes of reply capacity, then UTF-16LE units.
cd "$corpus/fuzz_paths"
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }
{ printf '\004\001'; utf16 "C:\\$long\\$long"; } > long-drive
{ printf '\004\001'; utf16 "\\\\.\\C:\\$long\\$long"; } > long-device
{ printf '\004\001'; utf16 "\\\\server\\share\\$long\\$long"; } > long-unc
{ printf '\020\000'; utf16 "\\\\?\\C:\\Плюс 写真"; } > marked-small-reply
{ printf '\377\377'; utf16 "C:\\Data"; printf '\075\330'; } > lone-surrogate
