#!/usr/bin/env bash
# The shipped binaries: Tallowin.dll exports exactly INITEXPERT0016, the installer is a
# GUI program, and both stay within their size. (What they import is check_imports.sh's.)
# Usage: check_binaries.sh Tallowin.dll Setup.exe
set -euo pipefail
dll=$1 exe=$2
objdump=i686-w64-mingw32-objdump
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

exports=$($objdump -p "$dll" | sed -n '/Ordinal\/Name Pointer/,/^$/p' | grep -E '^[[:space:]]+\[' | awk '{print $NF}')
echo "Tallowin.dll exports: $exports"
[ "$exports" = "INITEXPERT0016" ] || fail "exports are '$exports'"
grep -Eq '^Subsystem[[:space:]].*Windows GUI' <<<"$($objdump -p "$exe")" || fail "the installer is not a GUI program"
dll_size=$(stat -c %s "$dll") exe_size=$(stat -c %s "$exe")
echo "Tallowin.dll $dll_size bytes (at most 276480); installer $exe_size bytes (at most 32768)"
[ "$dll_size" -le 276480 ] || fail "Tallowin.dll is $dll_size bytes"
[ "$exe_size" -le 32768 ] || fail "the installer is $exe_size bytes"
checks=4
echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
