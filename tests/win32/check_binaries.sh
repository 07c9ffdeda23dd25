#!/usr/bin/env bash
# The shipped binaries: Tallowin.dll exports exactly INITEXPERT0016, the installer is a
# GUI program, the batch program a console one, and each stays within its size. The
# library's sections start on page boundaries in the file, so that a loader maps them
# instead of reading them: the add-in is loaded at every start of its host. (What they
# import is check_imports.sh's, but for the installer's DLLs: no C runtime.) The runtime's own exception types are not linked in.
# Usage: check_binaries.sh Tallowin.dll Setup.exe TalloVer.exe
set -euo pipefail
dll=$1 exe=$2 stamp=$3
objdump=i686-w64-mingw32-objdump
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

exports=$($objdump -p "$dll" | sed -n '/Ordinal\/Name Pointer/,/^$/p' | grep -E '^[[:space:]]+\[' | awk '{print $NF}' || true)
echo "Tallowin.dll exports: $exports"
[ "$exports" = "INITEXPERT0016" ] || fail "exports are '$exports'"
alignment=$($objdump -p "$dll" | awk '$1 == "FileAlignment" {print $2}')
echo "Tallowin.dll file alignment 0x$alignment (must be 0x1000)"
[ "$((16#$alignment))" -eq 4096 ] || fail "Tallowin.dll's sections are aligned on 0x$alignment in the file"
grep -Eq '^Subsystem[[:space:]].*Windows GUI' <<<"$($objdump -p "$exe")" || fail "the installer is not a GUI program"
dll_size=$(stat -c %s "$dll") exe_size=$(stat -c %s "$exe")
echo "Tallowin.dll $dll_size bytes (at most 276480); installer $exe_size bytes (at most 32768)"
[ "$dll_size" -le 276480 ] || fail "Tallowin.dll is $dll_size bytes"
[ "$exe_size" -le 32768 ] || fail "the installer is $exe_size bytes"
# Windows 95 as it came has no msvcrt.dll: the installer links no C runtime at all.
setup_dlls=$($objdump -p "$exe" | awk '/DLL Name:/ {print toupper($3)}' | sort | tr '\n' ' ')
echo "installer imports from: $setup_dlls"
[ "$setup_dlls" = "ADVAPI32.DLL KERNEL32.DLL USER32.DLL " ] || fail "the installer imports from $setup_dlls"
# The add-in and the batch program take their C runtime from crtdll.dll, which Windows 95 has.
for binary in "$dll" "$stamp"; do
  dlls=$($objdump -p "$binary" | awk '/DLL Name:/ {print toupper($3)}' | tr '\n' ' ')
  echo "$(basename "$binary") imports from: $dlls"
  case " $dlls" in
    *" MSVCRT.DLL "*) fail "$(basename "$binary") imports msvcrt.dll" ;;
    *" CRTDLL.DLL "*) ;;
    *) fail "$(basename "$binary") takes no C runtime from crtdll.dll" ;;
  esac
done
grep -Eq '^Subsystem[[:space:]].*Windows CUI' <<<"$($objdump -p "$stamp")" || fail "the batch program is not a console program"
stamp_size=$(stat -c %s "$stamp")
echo "batch program $stamp_size bytes (at most 196608)"
[ "$stamp_size" -le 196608 ] || fail "the batch program is $stamp_size bytes"
# The runtime's message-carrying exceptions stay out (base/lean_throws.cpp): their type
# names in a file mean their code, and the second string type behind them, came back.
for binary in "$dll" "$exe" "$stamp"; do
  names=$(grep -aoE 'St11logic_error|St12out_of_range|St12length_error|St13runtime_error' "$binary" | sort -u | tr '\n' ' ' || true)
  [ -z "$names" ] || fail "$(basename "$binary") holds the runtime's exception types: $names"
done
# Windows 95, 98 and Me refuse to load a library that has static TLS (its data directory 9).
tls=$($objdump -p "$dll" | awk '$1 == "Entry" && $2 == "9" {print $3 $4}')
echo "Tallowin.dll TLS directory: $tls (must be empty)"
[ "$tls" = "0000000000000000" ] || fail "Tallowin.dll has a TLS directory: Windows 95, 98 and Me would not load it"
# The installer is its own entry point and runs no start-up code: a static constructor
# would silently never run. The linker's constructor list must stay empty (-1, then the
# end mark 0, then the destructor list's -1), and no .CRT initialiser table may appear.
empty_ctors=$(python3 -c 'import sys; print(open(sys.argv[1], "rb").read().count(bytes.fromhex("ffffffff00000000ffffffff")))' "$exe")
echo "installer: empty constructor list found $empty_ctors time(s) (must be 1)"
[ "$empty_ctors" -eq 1 ] || fail "the installer has static constructors, which its own entry point never runs"
if $objdump -h "$exe" | awk '{print $2}' | grep -qE '^\.(CRT|ctors)'; then fail "the installer has a constructor section"; fi
checks=16
echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
