#!/usr/bin/env bash
# Builds Vantry, fills the store with the demo site when it is empty, and shows it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${VANTRY_BUILD_DIR:-build}
cmake -S . -B "$build" -DVANTRY_BUILD_TESTS=OFF
cmake --build "$build" -j"$(nproc)" --target vantry-store
store_tool="$build/tools/vantry-store/vantry-store"
if [ -z "$("$store_tool" list | head -n 1)" ]; then
  "$store_tool" demo
fi
"$store_tool" list
