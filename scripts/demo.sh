#!/usr/bin/env bash
# Sets everything up, builds the Windows tree and plays the typical use under Wine:
# C:\Work\Sample.dpr gets its VRI file, its version script, the compiled Version.RES
# and the resource directive. The produced files are copied to out/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32

prefix="$PWD/build/win32/demo-prefix"
out="$PWD/out/demo"
rm -rf "$out" && mkdir -p "$out"
status=0
scripts/wine-run.sh "$prefix" build/win32/demo/typical_use.exe | iconv -f CP932 -t UTF-8 || status=$?
cp "$prefix/drive_c/Work/"* "$out/" 2>/dev/null || true
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true

echo
echo "== produced files, in $out =="
for f in "$out"/*; do
  echo "--- $(basename "$f")"
  case "$f" in
    *.RES) od -A d -c "$f" | head -5 ;;
    *) iconv -f CP932 -t UTF-8 "$f" | tr -d '\r' ;;
  esac
done
exit $status
