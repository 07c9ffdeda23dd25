#!/usr/bin/env bash
# Runs every libFuzzer target from the seed corpus in fuzz/corpus, for a bounded time
# (seconds per target, default 60) or to an execution budget (--runs N per target), and
# prints per target the executions, the seconds taken and the corpus size.
# A crash or a broken invariant fails the run and leaves the input in build/fuzz/.
# Usage: fuzz.sh [SECONDS] | fuzz.sh --runs N
set -euo pipefail
cd "$(dirname "$0")/.."
limit=(-max_total_time="${1:-60}")
if [ "${1-}" = "--runs" ]; then
  [ -n "${2-}" ] || { echo "usage: fuzz.sh [SECONDS] | fuzz.sh --runs N" >&2; exit 2; }
  limit=(-runs="$2")
fi
bash scripts/bootstrap.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
status=0
total=0
for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  work="build/fuzz/corpus/$target"
  mkdir -p "$work"
  log="build/fuzz/$target.log"
  start=$SECONDS
  if (cd build/fuzz && "./fuzz/fuzz_$target" "${limit[@]}" -print_final_stats=1 \
        -artifact_prefix="$target-" "corpus/$target" "../../$seeds") >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
    tail -20 "$log"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  total=$((total + ${runs:-0}))
  printf 'fuzz %-15s %12s executions in %5ss, corpus %5s inputs: %s\n' "$target" "${runs:-0}" \
    "$((SECONDS - start))" "$(find "$work" -type f | wc -l)" "$result"
done
echo "fuzz: $total executions in all"
exit $status
