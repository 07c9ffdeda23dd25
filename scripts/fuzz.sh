#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time (seconds per target, default 60),
# starting from the seed corpus in fuzz/corpus, and prints the executions run.
# A crash or a broken invariant fails the run and leaves the input in build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
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
  if (cd build/fuzz && "./fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$target-" "corpus/$target" "../../$seeds") >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
    tail -20 "$log"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  total=$((total + ${runs:-0}))
  printf 'fuzz %-15s %12s executions in %ss: %s\n' "$target" "${runs:-0}" "$seconds" "$result"
done
echo "fuzz: $total executions in all"
exit $status
