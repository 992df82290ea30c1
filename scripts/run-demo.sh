#!/usr/bin/env bash
# Builds Vantry, fills the store with the demo site when it is empty, and shows it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${VANTRY_BUILD_DIR:-build}
cmake -S . -B "$build"
cmake --build "$build" -j"$(nproc)" --target vantry-store
store_tool="$build/tools/vantry-store/vantry-store"
# A store that does not exist yet or holds nothing gets the demo site.
if [ -z "$("$store_tool" list 2>/dev/null | head -n 1)" ]; then
  "$store_tool" demo
fi
"$store_tool" stats
"$store_tool" list
