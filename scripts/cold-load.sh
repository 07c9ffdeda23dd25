#!/usr/bin/env bash
# Figures, not pass/fail: the cold load of Tallowin.dll (LoadLibrary + INITEXPERT0016)
# beside an empty add-in library built with the same flags, each in a fresh process, in
# turns, under Wine. Prints the median of each and their ratio.
# Usage: scripts/cold-load.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-21}
bash scripts/bootstrap.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target cold_load ship
build="$PWD/build/win32"
prefix="$build/bench-prefix"
run() { scripts/wine-run.sh "$prefix" "$build/bench/cold_load/cold_load.exe" "Z:$1" | tr -d '\r'; }
run "$build/ship/dist/Tallowin.dll" >/dev/null  # the prefix is made and Wine's own files cached
tallowin=() empty=()
for _ in $(seq "$rounds"); do
  tallowin+=("$(run "$build/ship/dist/Tallowin.dll")")
  empty+=("$(run "$build/ship/bench/cold_load/empty_addin.dll")")
done
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
t=$(median "${tallowin[@]}") e=$(median "${empty[@]}")
echo "cold load, median of $rounds: Tallowin.dll $t us, empty add-in $e us, ratio $(awk -v t="$t" -v e="$e" 'BEGIN {printf "%.2f", t / e}')"
