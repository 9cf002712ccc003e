#!/usr/bin/env bash
# A short pass of every fuzz target (for the continuous integration): each
# runs for LC_FUZZ_SECONDS (default 5) seconds from its seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
exec bash scripts/fuzz.sh "${LC_FUZZ_SECONDS:-5}"
