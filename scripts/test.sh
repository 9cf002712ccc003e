#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite. Suites that need a real
# display (OpenGL) run under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cd build
if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 600
else
    ctest --output-on-failure --timeout 600
fi
