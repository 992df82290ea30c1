#!/usr/bin/env bash
# Times the cache text search of "Find text in files" over the content files of a store of
# 30,000 synthetic entries (vantry-store synth) against `grep -r -l -F` of the same text over
# the same files (the pages the search reads: *.htm and *.html), and prints the ratios:
#   warm: both with the files in memory, best of several alternating runs;
#   cold: each after the page cache was dropped (echo 3 > /proc/sys/vm/drop_caches, as root),
#         best of two alternating runs. Without root the cold runs are skipped, as said.
# Checks that both find the same files. Goals: warm at most 2 times grep, cold at most grep.
#
# Usage: bench/textsearch/run_bench.sh [BUILD_DIR] [ENTRIES]
# The store goes under $BENCH_DIR (default /var/tmp): a disk, for the cold runs to mean anything.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$root/build}")
entries=${2:-30000}
search=$build/bench/textsearch/bench_text_search
store_tool=$build/tools/vantry-store/vantry-store
for program in "$search" "$store_tool"; do
  [ -x "$program" ] || { echo "missing $program (build bench_text_search and vantry-store)" >&2; exit 2; }
done

work=$(mktemp -d "${BENCH_DIR:-/var/tmp}/text-search-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
VANTRY_STORE=$work/store "$store_tool" synth "$entries" > /dev/null
content=$work/store/content
pages=$(find "$content" -type f \( -name '*.htm' -o -name '*.html' \) | wc -l)
megabytes=$(find "$content" -type f \( -name '*.htm' -o -name '*.html' \) -print0 | du -cm --files0-from=- | tail -1 | cut -f1)
echo "store: $entries entries, $(du -sm "$content" | cut -f1) MB of content files, $pages pages of $megabytes MB searched"

can_drop=no
if [ "$(id -u)" -eq 0 ] && [ -w /proc/sys/vm/drop_caches ]; then can_drop=yes; fi
drop_caches() { sync; echo 3 > /proc/sys/vm/drop_caches; }

# Seconds of one run of each; both write the files they found to $2.
run_vantry() { "$search" "$content" "$text" "$1" $case_flag; }
run_grep() {
  local start end
  start=$(date +%s.%N)
  grep -r -l -F $grep_case --include='*.htm' --include='*.html' -- "$text" "$content" > "$1" || true
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}
min() { printf '%s\n' "$@" | sort -g | head -1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { print a / b }'; }

# One comparison: a text, and whether case counts (the dialog's default is that it does not).
compare() {
  text=$1
  case_flag=$2
  grep_case=$([ -n "$case_flag" ] && echo "" || echo "-i")
  local label="\"$text\"$([ -n "$case_flag" ] && echo ", case-sensitive" || echo ", any case")"
  run_grep "$work/grep.hits" > /dev/null  # brings the files into memory
  local ours=() theirs=()
  for _ in 1 2 3 4 5; do
    ours+=("$(run_vantry "$work/vantry.hits")")
    theirs+=("$(run_grep "$work/grep.hits")")
  done
  if ! diff -q <(sort "$work/vantry.hits") <(sort "$work/grep.hits") > /dev/null; then
    echo "$label: the search and grep found different files" >&2
    exit 1
  fi
  local hits warm_ours warm_grep
  hits=$(wc -l < "$work/grep.hits")
  warm_ours=$(min "${ours[@]}")
  warm_grep=$(min "${theirs[@]}")
  printf '%s: %d pages found; warm %.3f s against grep %.3f s, ratio %.2f (goal <= 2)\n' \
    "$label" "$hits" "$warm_ours" "$warm_grep" "$(ratio "$warm_ours" "$warm_grep")"
  [ "$can_drop" = yes ] || return 0
  ours=() theirs=()
  for _ in 1 2; do
    drop_caches; ours+=("$(run_vantry "$work/vantry.hits")")
    drop_caches; theirs+=("$(run_grep "$work/grep.hits")")
  done
  local cold_ours cold_grep
  cold_ours=$(min "${ours[@]}")
  cold_grep=$(min "${theirs[@]}")
  printf '%s: cold %.3f s against grep %.3f s, ratio %.2f (goal <= 1)\n' \
    "$label" "$cold_ours" "$cold_grep" "$(ratio "$cold_ours" "$cold_grep")"
}

[ "$can_drop" = yes ] || echo "not root: the page cache cannot be dropped, so the cold runs are skipped"
# A phrase in about a fifth of the pages, and one in none (every page is read to its end).
compare "harbour fjord" ""
compare "vantry needle" ""
compare "harbour fjord" "--case-sensitive"
