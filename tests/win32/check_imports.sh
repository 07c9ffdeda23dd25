#!/usr/bin/env bash
# The shipped binaries run on Windows 95 and NT 4.0: every imported function (regular and
# delay-load imports) is in the export list of its DLL in LISTS_DIR (KERNEL32.dll ->
# kernel32.txt; DLL names compare case-insensitively, function names case-sensitively), and
# the PE header asks for Windows 4.0, not later.
# Usage: check_imports.sh LISTS_DIR FILE...
# A list holds one exported name a line. Lines starting with '#' are comments, except
# '#ordinal N', which allows importing that DLL's ordinal N; any other import by ordinal
# fails, and so does any import from a DLL without a list. Names the file looks up at first
# use from COMCTL32 or COMDLG32 (strings that DLL exports on XP, in a file that names the
# DLL) must be in COMCTL32 4.70's or COMDLG32's list.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 LISTS_DIR FILE..." >&2; exit 2; }
lists=$1; shift
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

# Prints "DLL<TAB>NAME", or "DLL<TAB>#N" for an import by ordinal, for each regular and
# delay-load import. The file is read directly because binutils' objdump -p prints the
# regular import table but of the delay-load one only its data-directory entry.
pe_imports() {
  python3 - "$1" <<'EOF'
import struct, sys
data = open(sys.argv[1], 'rb').read()
def u16(at): return struct.unpack_from('<H', data, at)[0]
def u32(at): return struct.unpack_from('<I', data, at)[0]
pe = u32(0x3C)
opt = pe + 24
if u16(opt) != 0x10B:
    sys.exit(sys.argv[1] + ': not a 32-bit PE image')
image_base = u32(opt + 28)
table = opt + u16(pe + 20)
sections = [(u32(s + 12), max(u32(s + 8), u32(s + 16)), u32(s + 20))  # RVA, size, file offset
            for s in range(table, table + 40 * u16(pe + 6), 40)]
def at(rva):
    for start, size, raw in sections:
        if start <= rva < start + size:
            return rva - start + raw
    sys.exit('%s: RVA %#x is outside every section' % (sys.argv[1], rva))
def string(rva):
    start = at(rva)
    return data[start:data.index(b'\0', start)].decode('latin-1')
def names(dll, rva, base):
    entry = at(rva)
    while u32(entry):
        thunk = u32(entry)
        print(dll, '#%d' % (thunk & 0xFFFF) if thunk & 0x80000000 else string(thunk - base + 2),
              sep='\t')
        entry += 4

# Import directory (data directory 1): 20-byte descriptors, name at +12, lookup table at +0
# (else the address table at +16).
rva = u32(opt + 96 + 8 * 1)
while rva and u32(at(rva) + 12):
    d = at(rva)
    names(string(u32(d + 12)), u32(d) or u32(d + 16), 0)
    rva += 20
# Delay-load directory (data directory 13): 32-byte descriptors, attributes at +0, name at +4,
# name table at +16; without attribute bit 0 they hold addresses rather than RVAs.
rva = u32(opt + 96 + 8 * 13)
while rva and u32(at(rva) + 4):
    d = at(rva)
    base = 0 if u32(d) & 1 else image_base
    names(string(u32(d + 4) - base), u32(d + 16) - base, base)
    rva += 32
EOF
}

passed=0 failed=0
count() { if [ -n "$1" ]; then echo "$1"; failed=$((failed + 1)); else passed=$((passed + 1)); fi; }

for file in "$@"; do
  base=$(basename "$file")
  if [ ! -f "$file" ]; then
    echo "FAIL: $file does not exist"; failed=$((failed + 2)); continue
  fi

  if ! imports=$(pe_imports "$file"); then
    count "FAIL: $base: its imports cannot be read"
  else
    count "$(awk -F'\t' -v dir="$lists" -v file="$base" '
      function load(dll,   path, line, status) {   # 1 if the DLL has a list
        if (dll in listed) return listed[dll]
        path = dir "/" dll ".txt"
        listed[dll] = 0
        while ((status = (getline line < path)) > 0) {
          if (line ~ /^#ordinal [0-9]+$/) allowed[dll, "#" substr(line, 10)] = 1
          else if (line !~ /^#/) allowed[dll, line] = 1
        }
        if (status == 0) listed[dll] = 1
        close(path)
        return listed[dll]
      }
      NF == 2 {
        dll = tolower($1); sub(/\.dll$/, "", dll)
        if (!load(dll)) print "FAIL: " file " imports " $1 "!" $2 " (no list for " $1 ")"
        else if ($2 ~ /^#/ && !((dll, $2) in allowed)) print "FAIL: " file " imports " $1 "!" $2 " by ordinal (not listed)"
        else if (!((dll, $2) in allowed)) print "FAIL: " file " imports " $1 "!" $2 " (not on Windows 95 / NT 4.0)"
      }' <<<"$imports")"
  fi

  # Names looked up at first use (LoadLibrary + GetProcAddress): where the file names a DLL it
  # loads so, every string of it that the DLL exports on XP must be in the list of the oldest
  # version it is looked up in (COMCTL32 4.70, with a fallback for 4.00; COMDLG32 as listed).
  count "$(python3 - "$file" "$lists" <<'EOF'
import os, re, sys
data = open(sys.argv[1], 'rb').read()
lists = sys.argv[2]
strings = set(s.decode() for s in re.findall(rb'[\x20-\x7e]{4,}(?=\x00)', data))
def names(path):
    return set(l.strip() for l in open(path) if l.strip() and not l.startswith('#'))
for dll, oldest in (('comctl32', 'comctl32-470.txt'), ('comdlg32', 'comdlg32.txt')):
    if dll + '.dll' not in (s.lower() for s in strings):
        continue
    newer = (strings & names(os.path.join(lists, 'xp', dll + '.txt'))) - names(os.path.join(lists, oldest))
    for name in sorted(newer):
        print('FAIL: %s looks up %s!%s at first use (not in %s)' % (os.path.basename(sys.argv[1]), dll, name, oldest))
EOF
)"

  count "$($objdump -p "$file" | awk -v file="$base" '
    { field[$1] = $2 }
    END {
      os = field["MajorOSystemVersion"] "." field["MinorOSystemVersion"]
      subsystem = field["MajorSubsystemVersion"] "." field["MinorSubsystemVersion"]
      if (os != "4.0") print "FAIL: " file " asks for OS version " os " (must be 4.0)"
      if (subsystem != "4.0") print "FAIL: " file " asks for subsystem version " subsystem " (must be 4.0)"
    }')"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
