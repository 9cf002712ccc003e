#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer (leak detection on)
# and UndefinedBehaviorSanitizer in build-asan, and runs the whole suite
# there. Any report of either sanitizer fails the test that meets it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${LC_ASAN_BUILD:-build-asan}
jobs=${LC_JOBS:-2}
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
fi
cmake --build "$build" --parallel "$jobs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The leaks of the system's D-Bus library, met where a suite opens a real display.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}
cd "$build"
run() {
    if command -v xvfb-run >/dev/null; then
        xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 1200 "$@"
    else
        ctest --output-on-failure --timeout 1200 "$@"
    fi
}
run -LE gl
# The OpenGL suites without leak detection: the system's GL driver leaks a
# few hundred bytes and is unloaded before the check, so that no suppression
# can name it. Every other report still fails them.
ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0" run -L gl
