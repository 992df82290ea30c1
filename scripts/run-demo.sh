#!/usr/bin/env bash
# Builds Vantry, fills the store with the demo site when it is empty, and starts vantry on it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/install-deps.sh
build=${VANTRY_BUILD_DIR:-build}
cmake -S . -B "$build"
cmake --build "$build" -j"$(nproc)" --target vantry-store vantry
store_tool="$root/$build/tools/vantry-store/vantry-store"
# A store that does not exist yet or holds nothing gets the demo site.
if [ -z "$("$store_tool" list 2>/dev/null | head -n 1)" ]; then
  "$store_tool" demo
fi
"$store_tool" stats

# vantry keeps its archive files and local copies' index in its working folder.
work=${VANTRY_WORK_DIR:-$HOME/Vantry}
mkdir -p "$work"
[ -f "$work/ebstract.htm" ] || cp "$build/app/ebstract.htm" "$work/"
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}
cd "$work"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "run-demo: no display here; starting vantry on a virtual one (scripts/screenshots.sh shows it as pictures)" >&2
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$root/$build/app/vantry"
fi
exec "$root/$build/app/vantry"
