#!/usr/bin/env bash
# Times rquenz on a memory file system over a generated tree of 2,000 text files
# (about 110 MB, a 10-letter search word one word in eight) against sd and
# sed -i on the same files, and against a plain copy of the tree (cp -r) as the
# floor. Prints the ratios, and checks that rquenz writes the same files as sed
# and sd and keeps each original as its backup.
#
# Usage: bench/rquenz/run_bench.sh path/to/rquenz [rounds]
#
# Needs sd (Debian package sd) and about 1 GB free under /dev/shm. On a disk
# the kernel's file creation swamps all four tools alike, so it measures there.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 path/to/rquenz [rounds]" >&2
  exit 2
fi
command -v sd > /dev/null || { echo "$0: needs sd (apt-get install sd)" >&2; exit 2; }
rquenz=$(realpath "$1")
rounds=${2:-5}
search=needlework
replacement=threadbare

work=$(mktemp -d /dev/shm/rquenz-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# 20 folders of 100 files of 45 to 65 KB, each a slice of one random text in
# which the search word makes up roughly one word in eight, among near misses.
python3 - "$work/master" "$search" <<'PY'
import os, random, sys
root, search = sys.argv[1], sys.argv[2]
random.seed(7)
words = ["alpha", "beta", "gamma", "delta", "haystack", "needles", "need", "work",
         "lorem", "ipsum", "dolor", "sit", "amet", "quux", "needlewor", "eedlework"]
lines, size = [], 0
while size < 4 << 20:
    line = " ".join(search if random.random() < 0.125 else random.choice(words)
                    for _ in range(random.randint(6, 14)))
    lines.append(line)
    size += len(line) + 1
pool = "\n".join(lines) + "\n"
for folder in range(20):
    os.makedirs(f"{root}/d{folder:02}")
    for number in range(100):
        start = random.randrange(0, len(pool) - 70000)
        body = pool[start:start + random.randint(45000, 65000)]
        with open(f"{root}/d{folder:02}/f{number:03}.txt", "w") as out:
            out.write(f"file {folder}/{number} {search}{search}\n" + body)
PY
echo "tree: $(find "$work/master" -type f | wc -l) files, $(du -sm "$work/master" | cut -f1) MB on /dev/shm"

run_rquenz() { (cd "$1" && "$rquenz" '*.txt' "$search" "$replacement" > /dev/null); }
run_sd() { (cd "$1" && find . -type f -name '*.txt' -exec sd -s "$search" "$replacement" {} +); }
run_sed() { (cd "$1" && find . -type f -name '*.txt' -exec sed -i.bak "s/$search/$replacement/g" {} +); }
run_copy() { cp -r "$work/master" "$1"; }

# The outputs of the first round: rquenz writes what sed and sd write, and its
# "f.bak" holds the original that sed keeps as "f.txt.bak".
check_outputs() {
  diff -r -x '*.bak' "$work/run_sed" "$work/run_rquenz" > /dev/null || { echo "FAIL: rquenz and sed differ" >&2; exit 1; }
  diff -r -x '*.bak' "$work/run_sd" "$work/run_rquenz" > /dev/null || { echo "FAIL: rquenz and sd differ" >&2; exit 1; }
  (cd "$work/master" && find . -name '*.txt' | while read -r file; do
    cmp -s "$file" "$work/run_rquenz/${file%.txt}.bak" || { echo "FAIL: backup of $file" >&2; exit 1; }
  done)
  echo "outputs identical to sed's and sd's; backups hold the originals"
}

# Best wall-clock time and best processor time (user + system, children
# included) of several rounds, each tool on a fresh copy of the tree. The tools
# take turns in every round, so that none is favoured by what else the machine
# does at the time.
TIMEFORMAT='%R %U %S'
tools=(run_rquenz run_sd run_sed run_copy)
declare -A measured
for ((i = 0; i < rounds; i++)); do
  for tool in "${tools[@]}"; do
    tree="$work/$tool"
    [ "$tool" = run_copy ] || cp -r "$work/master" "$tree"
    sync
    measured[$tool]+="$( { time "$tool" "$tree" 2>&3; } 3>&2 2>&1 )"$'\n'
  done
  [ "$i" -gt 0 ] || check_outputs
  for tool in "${tools[@]}"; do rm -rf "${work:?}/$tool"; done
done
best_time() {
  awk 'NF == 3 && (n == 0 || $1 < wall) { wall = $1 }
       NF == 3 && (n++ == 0 || $2 + $3 < cpu) { cpu = $2 + $3 }
       END { print wall, cpu }' <<< "${measured[$1]}"
}

python3 - $(best_time run_rquenz) $(best_time run_sd) $(best_time run_sed) $(best_time run_copy) <<'PY'
import sys
rquenz, rquenz_cpu, sd, sd_cpu, sed, sed_cpu, copy, copy_cpu = map(float, sys.argv[1:])
print(f"wall: rquenz {rquenz:.3f} s, sd {sd:.3f} s, sed -i {sed:.3f} s, cp -r {copy:.3f} s")
print(f"cpu:  rquenz {rquenz_cpu:.3f} s, sd {sd_cpu:.3f} s, sed -i {sed_cpu:.3f} s, cp -r {copy_cpu:.3f} s")
print(f"rquenz / sd   = {rquenz / sd:.3f} wall, {rquenz_cpu / sd_cpu:.3f} cpu  (goal <= 0.5)")
print(f"rquenz / copy = {rquenz / copy:.3f} wall, {rquenz_cpu / copy_cpu:.3f} cpu  (goal <= 1.3)")
print(f"rquenz / sed  = {rquenz / sed:.3f} wall, {rquenz_cpu / sed_cpu:.3f} cpu")
PY
