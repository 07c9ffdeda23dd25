#!/usr/bin/env bash
# Figures, not pass/fail: the cold load of Tallowin.dll (LoadLibrary + INITEXPERT0016)
# beside an empty add-in library built with the same flags, each in a fresh process, in
# turns, under Wine. Prints the median of each and their ratio.
# Usage: scripts/cold-load.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-21}
bash scripts/bootstrap.sh
# Without 32-bit programs on this machine, the x86-64 build of the same sources is measured.
if bash scripts/can-run-win32.sh; then
  preset=win32 wine=(scripts/wine-run.sh) library=ship/dist/Tallowin.dll yardstick=ship/bench/cold_load/empty_addin.dll
else
  echo "cold-load: this machine runs no 32-bit programs; measuring the x86-64 build of the same sources"
  preset=win64 wine=(scripts/wine-run.sh --win64) library=dist/Tallowin.dll yardstick=bench/cold_load/empty_addin.dll
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
build="$PWD/build/$preset"
prefix="$build/bench-prefix"
run() { "${wine[@]}" "$prefix" "$build/bench/cold_load/cold_load.exe" "Z:$1" | tr -d '\r'; }
run "$build/$library" >/dev/null  # the prefix is made and Wine's own files cached
tallowin=() empty=()
for _ in $(seq "$rounds"); do
  tallowin+=("$(run "$build/$library")")
  empty+=("$(run "$build/$yardstick")")
done
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
t=$(median "${tallowin[@]}") e=$(median "${empty[@]}")
echo "cold load, median of $rounds: Tallowin.dll $t us, empty add-in $e us, ratio $(awk -v t="$t" -v e="$e" 'BEGIN {printf "%.2f", t / e}')"
