#!/usr/bin/env bash
# Installs the Debian packages Lumicara needs (only those missing), then
# configures and builds it in ./build. Besides the build tools and libraries:
# a virtual X server and xdotool for the tests of the windows, dpkg-dev
# (dpkg-shlibdeps), file and desktop-file-utils for the Debian package and
# its test, Google Benchmark and Python for the benchmarks (scripts/bench.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
    libqt6opengl6-dev qt6-scxml-dev
    libquazip1-qt6-dev zlib1g-dev libassimp-dev
    libgl-dev libgl1-mesa-dri
    fonts-noto-cjk xvfb xauth
    xdotool dpkg-dev file desktop-file-utils
    libbenchmark-dev python3
    # the fuzz targets: clang with its libFuzzer and sanitizer runtimes
    clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel
