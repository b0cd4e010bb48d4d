#!/bin/sh
# The directory window against diff -rq on the same two trees (20,000 files
# each, every pair compared by content): "tandel -d1 one -d2 two -outd out
# -mandc" offscreen from the process's start to both lists filled and painted,
# and "diff -rq one two" from start to end, interleaved, 5 runs each, warm
# cache, medians.
# Usage: bench/run_dirlist_bench.sh [build folder] [trees folder]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
trees=${2:-${TMPDIR:-/tmp}/tandel-dir-trees}
[ -d "$trees/one" ] || python3 "$here/gen_dir_trees.py" "$trees"

python3 - "$build" "$trees" <<'PY'
import os, statistics, subprocess, sys, tempfile, time
build, trees = sys.argv[1], sys.argv[2]
scratch = tempfile.mkdtemp(prefix="tandel-dirlist-bench-")
os.makedirs(f"{scratch}/tandel")
with open(f"{scratch}/tandel/tandel.ini", "w") as ini:
    ini.write("[Options]\nRecursive=1\n")
env = {"HOME": scratch, "XDG_CONFIG_HOME": scratch, "PATH": "/usr/bin:/bin",
       "QT_QPA_PLATFORM": "offscreen"}
one, two = f"{trees}/one", f"{trees}/two"
subprocess.run(["diff", "-rq", one, two], stdout=subprocess.DEVNULL)
probe = f"{build}/bench/startup_probe_mandc"
window, peer = [], []
for _ in range(5):
    out = subprocess.run([probe, "-d1", one, "-d2", two, "-outd", f"{scratch}/out", "-mandc"],
                         env=env, capture_output=True, text=True, check=True).stdout
    window.append(float(dict(line.split() for line in out.splitlines())["painted"]))
    start = time.perf_counter()
    subprocess.run(["diff", "-rq", one, two], stdout=subprocess.DEVNULL)
    peer.append((time.perf_counter() - start) * 1000)
w, d = statistics.median(window), statistics.median(peer)
print(f"directory window, spawn to painted: {w:8.0f} ms")
print(f"diff -rq:                           {d:8.0f} ms")
print(f"ratio:                              {w / d:8.2f}")
PY
