#!/usr/bin/env bash
# Builds everything (benchmarks included, so they keep compiling) and runs every test.
# Pass -DVANTRY_SANITIZE=ON (or any CMake option) to change the build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${VANTRY_BUILD_DIR:-build}
cmake -S . -B "$build" -DVANTRY_BUILD_TESTS=ON -DVANTRY_BUILD_BENCH=ON "$@"
cmake --build "$build" -j"$(nproc)"
export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
cd "$build"
xvfb-run -a -s "-screen 0 1280x800x24" ctest --output-on-failure -j"$(nproc)" --timeout 600
