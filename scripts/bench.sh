#!/usr/bin/env bash
# Builds and runs the benchmarks: knowledge load time, memory after loading,
# query and analysis speed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
./build/bench/bench_knowledge "${1:-5}"
./build/lcq stats | grep -E '^(loadMs|rssKiB)'
