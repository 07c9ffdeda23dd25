#!/usr/bin/env bash
# Compiles one of our own version scripts (written by tools/vrigen) into a .RES file on the
# build machine, with windres: the build needs no Windows program for it, and the native
# tests hold the resource compiler stand-in to windres's output byte for byte.
# The scripts are Shift-JIS text that is never escaped, so a second byte of 0x5C must not
# reach windres's lexer as a backslash: the script is converted to UTF-8 first and
# compiled with code page 65001; winver.h gives the VOS_ and VFT_ constants.
# Usage: windres_version.sh WINDRES SCRIPT RES
set -euo pipefail
windres=$1 script=$2 res=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
  printf '#include <winver.h>\n'
  iconv -f CP932 -t UTF-8 "$script"
} > "$work/script.rc"
"$windres" -c 65001 -J rc -O res -i "$work/script.rc" -o "$work/out.res"
mv -f "$work/out.res" "$res"
