#!/usr/bin/env bash
# Runs every libFuzzer target from the seed corpus in fuzz/corpus, for a bounded time
# (seconds per target, default 60) or to an execution budget (--runs N per target), and
# prints per target the executions, the seconds taken and the corpus size. The targets
# run side by side, as many at once as there are cores.
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
# The targets run side by side, one a core; each is reported in turn once all are done.
jobs=$(nproc)
run_target() {
  local target=$1 seeds=$2
  mkdir -p "build/fuzz/corpus/$target"
  local start=$SECONDS
  if (cd build/fuzz && "./fuzz/fuzz_$target" "${limit[@]}" -print_final_stats=1 \
        -artifact_prefix="$target-" "corpus/$target" "../../$seeds") >"build/fuzz/$target.log" 2>&1; then
    echo ok >"build/fuzz/$target.result"
  else
    echo FAILED >"build/fuzz/$target.result"
  fi
  echo $((SECONDS - start)) >"build/fuzz/$target.seconds"
}
targets=()
for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  targets+=("$target")
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
  run_target "$target" "$seeds" &
done
wait
status=0
total=0
for target in "${targets[@]}"; do
  log="build/fuzz/$target.log"
  result=$(cat "build/fuzz/$target.result")
  if [ "$result" != ok ]; then
    status=1
    tail -20 "$log"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  total=$((total + ${runs:-0}))
  printf 'fuzz %-15s %12s executions in %5ss, corpus %5s inputs: %s\n' "$target" "${runs:-0}" \
    "$(cat "build/fuzz/$target.seconds")" "$(find "build/fuzz/corpus/$target" -type f | wc -l)" "$result"
done
echo "fuzz: $total executions in all"
exit $status
