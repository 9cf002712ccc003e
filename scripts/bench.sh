#!/usr/bin/env bash
# Builds and runs the benchmarks (Google Benchmark) on the shipped knowledge
# and on a synthetic knowledge base ten times as large, then prints the
# summary table: the medians at 1x and 10x, their growth and the targets.
# Extra arguments go to the benchmark program (bench/README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ ! -x build/bench/lcbench ]; then
    echo "bench.sh: the benchmarks need Google Benchmark (libbenchmark-dev)" >&2
    exit 1
fi
cmake --build build --target lc_scaled_knowledge
./build/bench/lcbench --scaled build/bench/scaled10 --factor 10 \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
