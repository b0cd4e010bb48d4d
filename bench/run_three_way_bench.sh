#!/bin/sh
# Times the unattended three-way merge (tandel -auto -base) on a
# 1,000,000-line triple (100 scattered changes on each side, none of them
# overlapping) against tandel-diff alone on one of its pairs (BASE and LOCAL),
# median of 3 interleaved runs.
# Usage: bench/run_three_way_bench.sh [build folder]   (default: build/)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}

python3 - "$build" "$here" <<'PY'
import os, random, shutil, sys, tempfile
sys.path.insert(0, sys.argv[2])
from timing import interleaved_medians
build = sys.argv[1]
scratch = tempfile.mkdtemp(prefix="tandel-three-bench-")
rng = random.Random(1208)
words = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu".split()
base = [f"{i:09d} {' '.join(rng.choices(words, k=6))} {rng.getrandbits(64):016x}\n"
        for i in range(1_000_000)]
# Changes at least 50 lines apart, taken by the two sides in turn: they never meet.
positions = rng.sample(range(0, 1_000_000 - 10, 50), 200)
sides = {"local": list(base), "remote": list(base)}
for n, position in enumerate(sorted(positions, reverse=True)):
    lines = sides["local" if n % 2 == 0 else "remote"]
    kind = rng.randrange(3)
    if kind == 0:
        lines[position] = lines[position].replace(" ", "  ", 1)
    elif kind == 1:
        lines.insert(position, f"added {position}\n")
    else:
        del lines[position]
paths = {}
for name, lines in (("base", base), ("local", sides["local"]), ("remote", sides["remote"])):
    paths[name] = os.path.join(scratch, name + ".txt")
    with open(paths[name], "w", newline="\n") as out:
        out.write("".join(lines))
out = os.path.join(scratch, "merged.txt")
env = {"HOME": scratch, "XDG_CONFIG_HOME": scratch, "PATH": "/usr/bin:/bin"}
three = [f"{build}/tandel", "-auto", "-base", paths["base"], "-f1", paths["local"],
         "-f2", paths["remote"], "-outf", out]
diff = [f"{build}/tandel-diff", "-a", paths["base"], paths["local"]]

medians = interleaved_medians(three, diff, 3, env, out)
t3, td = medians["ours"], medians["peer"]
c3, cd = medians["ours cpu"], medians["peer cpu"]
print(f"tandel -auto -base  {t3:7.3f} s wall  {c3:7.3f} s cpu")
print(f"tandel-diff         {td:7.3f} s wall  {cd:7.3f} s cpu")
print(f"time ratio {t3 / td:.2f} wall, {c3 / cd:.2f} cpu (limit 2.2)")
shutil.rmtree(scratch, ignore_errors=True)
PY
