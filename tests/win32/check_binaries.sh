#!/usr/bin/env bash
# The shipped binaries: Tallowin.dll exports exactly INITEXPERT0016, both import only
# Windows system DLLs, the installer is a GUI program, and both stay within their size.
# Usage: check_binaries.sh Tallowin.dll Setup.exe
set -euo pipefail
dll=$1 exe=$2
objdump=i686-w64-mingw32-objdump
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|msvcrt|msimg32|shell32|ole32)\.dll$'
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

check_imports() {
  local file=$1
  while read -r name; do
    echo "$(basename "$file") imports $name"
    lower=$(tr 'A-Z' 'a-z' <<<"$name")
    grep -Eq "$allowed" <<<"$lower" || fail "$(basename "$file") imports $name"
  done < <($objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
}

exports=$($objdump -p "$dll" | sed -n '/Ordinal\/Name Pointer/,/^$/p' | grep -E '^[[:space:]]+\[' | awk '{print $NF}')
echo "Tallowin.dll exports: $exports"
[ "$exports" = "INITEXPERT0016" ] || fail "exports are '$exports'"
check_imports "$dll"
check_imports "$exe"
headers=$($objdump -p "$exe")
grep -Eq '^Subsystem[[:space:]].*Windows GUI' <<<"$headers" || fail "the installer is not a GUI program"
dll_size=$(stat -c %s "$dll") exe_size=$(stat -c %s "$exe")
echo "Tallowin.dll $dll_size bytes (at most 409600); installer $exe_size bytes (at most 256000)"
[ "$dll_size" -le 409600 ] || fail "Tallowin.dll is $dll_size bytes"
[ "$exe_size" -le 256000 ] || fail "the installer is $exe_size bytes"
checks=7
echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
