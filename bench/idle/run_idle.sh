#!/usr/bin/env bash
# Starts vantry on a virtual display over the demo store, lets it settle, then reads the
# processor time it uses over 10 idle seconds from /proc and prints it as a share of one
# core, for vantry itself and together with the page engine's helper processes.
# Goal: below 1% of a core.
#
# Usage: bench/idle/run_idle.sh [BUILD_DIR]   (default: build)
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$root/build}")
vantry=$build/app/vantry
store_tool=$build/tools/vantry-store/vantry-store
for program in "$vantry" "$store_tool"; do
  [ -x "$program" ] || { echo "missing $program (build the vantry and vantry-store targets)" >&2; exit 2; }
done
settle=${IDLE_SETTLE_SECONDS:-10}
window=10

work=$(mktemp -d /tmp/vantry-idle.XXXXXX)
xvfb_pid=
vantry_pid=
cleanup() {
  [ -z "$vantry_pid" ] || kill "$vantry_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Everything the program reads and writes stays in the temporary folder.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
export XDG_CACHE_HOME=$work/home/cache VANTRY_STORE=$work/store
mkdir -p "$HOME/Vantry"
"$store_tool" demo > /dev/null
cp "$build/app/ebstract.htm" "$HOME/Vantry/"

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3> "$work/display" 2> /dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")

[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}
(cd "$HOME/Vantry" && exec "$vantry") > "$work/vantry.log" 2>&1 &
vantry_pid=$!
sleep "$settle"
kill -0 "$vantry_pid" 2>/dev/null || { echo "vantry ended early:" >&2; cat "$work/vantry.log" >&2; exit 1; }

ticks_per_second=$(getconf CLK_TCK)
# User and system ticks of one process (fields 14 and 15 of /proc/PID/stat, after the
# command name in parentheses).
process_ticks() { sed 's/^.*) //' "/proc/$1/stat" 2>/dev/null | awk '{print $12 + $13}' || echo 0; }
descendants() {
  local children
  children=$(cat /proc/"$1"/task/*/children 2>/dev/null || true)
  for child in $children; do
    echo "$child"
    descendants "$child"
  done
}
# Ticks of vantry alone, and of vantry with every process it started.
measure() {
  local own total pid
  own=$(process_ticks "$vantry_pid")
  total=$own
  for pid in $(descendants "$vantry_pid"); do total=$((total + $(process_ticks "$pid"))); done
  echo "$own $total"
}

read -r own_before all_before < <(measure)
sleep "$window"
read -r own_after all_after < <(measure)

awk -v own=$((own_after - own_before)) -v all=$((all_after - all_before)) -v hz="$ticks_per_second" \
    -v seconds="$window" 'BEGIN {
  printf "idle processor time over %d s: vantry %.2f%% of a core, with its helper processes %.2f%% (goal: below 1%%)\n",
         seconds, 100 * own / hz / seconds, 100 * all / hz / seconds
}'
