#!/usr/bin/env bash
# Times rquenz over a generated tree of about 2,000 text files (200 MB) against
# an in-place edit with sed over the same files, and against a plain copy of the
# tree as the floor. Prints both ratios and checks that rquenz writes the same
# files as sed and keeps each original as its backup.
#
# Usage: bench/rquenz/run_bench.sh path/to/rquenz [repetitions]
#
# Needs about 1.2 GB per repetition under /tmp. Figures are steadiest on a
# quiet machine some minutes after any large deletion on the same file system.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 path/to/rquenz [repetitions]" >&2
  exit 2
fi
rquenz=$(realpath "$1")
repetitions=${2:-5}
search=needle
replacement=thread

work=$(mktemp -d /tmp/rquenz-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# 20 folders of 100 files of about 100 KB, each a slice of one random text in
# which the search string makes up roughly one word in eight.
python3 - "$work/master" "$search" <<'PY'
import os, random, sys
root, search = sys.argv[1], sys.argv[2]
random.seed(7)
words = ["alpha", "beta", "gamma", "delta", "haystack", "needles", "need", "eedle",
         "lorem", "ipsum", "dolor", "sit", "amet", "quux", "nee", "dle"]
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
        start = random.randrange(0, len(pool) - 120000)
        body = pool[start:start + random.randint(90000, 120000)]
        with open(f"{root}/d{folder:02}/f{number:03}.txt", "w") as out:
            out.write(f"file {folder}/{number} {search}{search}\n" + body)
PY
echo "tree: $(find "$work/master" -type f | wc -l) files, $(du -sm "$work/master" | cut -f1) MB"

run_rquenz() { (cd "$1" && "$rquenz" '*.txt' "$search" "$replacement" > /dev/null); }
run_sed() { (cd "$1" && find . -type f -name '*.txt' -exec sed -i.bak "s/$search/$replacement/g" {} +); }
run_copy() { cp -r "$work/master" "$1"; }

# Best wall-clock time and best processor time (user + system, children
# included) of several runs, each on a fresh copy of the tree in a folder of
# its own (the copy floor copies the tree itself). The three tools take turns
# in every round, so that none is favoured by the file system's state (it slows
# down as the run fills it). Processor time is the steadier figure when other
# work shares the machine. Nothing is deleted until the end: the file system
# would otherwise spend the next run's file creations stepping around the
# inodes just freed. best_time prints "wall cpu" seconds of one tool.
TIMEFORMAT='%R %U %S'
tools=(run_rquenz run_sed run_copy)
declare -A measured
for ((i = 0; i < repetitions; i++)); do
  for tool in "${tools[@]}"; do
    tree="$work/$tool-$i"
    [ "$tool" = run_copy ] || cp -r "$work/master" "$tree"
    sync
    measured[$tool]+="$( { time "$tool" "$tree" 2>&3; } 3>&2 2>&1 )"$'\n'
  done
done
best_time() {
  awk 'NF == 3 && (n == 0 || $1 < wall) { wall = $1 }
       NF == 3 && (n++ == 0 || $2 + $3 < cpu) { cpu = $2 + $3 }
       END { print wall, cpu }' <<< "${measured[$1]}"
}

rquenz_time=$(best_time run_rquenz)
sed_time=$(best_time run_sed)
copy_time=$(best_time run_copy)

# Same rewritten files; rquenz's "f.bak" and sed's "f.txt.bak" both hold the original.
diff -r -x '*.bak' "$work/run_sed-0" "$work/run_rquenz-0" > /dev/null || { echo "FAIL: outputs differ" >&2; exit 1; }
(cd "$work/master" && find . -name '*.txt' | while read -r file; do
  cmp -s "$file" "$work/run_rquenz-0/${file%.txt}.bak" || { echo "FAIL: backup of $file" >&2; exit 1; }
done)
echo "outputs identical to sed's; backups hold the originals"

python3 - $rquenz_time $sed_time $copy_time <<'PY'
import sys
rquenz, rquenz_cpu, sed, sed_cpu, copy, copy_cpu = map(float, sys.argv[1:])
print(f"wall: rquenz {rquenz:.3f} s, sed -i {sed:.3f} s, cp -r {copy:.3f} s")
print(f"cpu:  rquenz {rquenz_cpu:.3f} s, sed -i {sed_cpu:.3f} s, cp -r {copy_cpu:.3f} s")
print(f"rquenz / sed  = {rquenz / sed:.3f} wall, {rquenz_cpu / sed_cpu:.3f} cpu  (goal <= 0.5)")
print(f"rquenz / copy = {rquenz / copy:.3f} wall, {rquenz_cpu / copy_cpu:.3f} cpu  (goal <= 3)")
PY
