#!/usr/bin/env bash
# Sets up, builds and starts the program. It runs in its build folder, which
# holds the skins and its settings file.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cd build
exec ./LC
