#!/usr/bin/env bash
# Prints the figures of the project source scan (optimised build, no sanitizers).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
./build/bench/bench/source_scan_bench "$@"
