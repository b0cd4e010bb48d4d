#!/bin/sh
# The directory window's start-up against the list build it waits for, in
# the same run: "tandel -d1 one -d2 two -outd out -mandc" offscreen, from the
# process's start to both lists filled and painted, and the core list build
# alone over the same two generated trees (20,000 files each), each in a fresh
# process, interleaved, 5 runs each, medians. Then the sort and scrolling
# figures of 20,000 filled rows.
# Usage: bench/run_mandc_bench.sh [build folder] [trees folder]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
trees=${2:-${TMPDIR:-/tmp}/tandel-dir-trees}
[ -d "$trees/one" ] || python3 "$here/gen_dir_trees.py" "$trees"

python3 - "$build" "$trees" <<'PY'
import os, statistics, subprocess, sys, tempfile, time
build, trees = sys.argv[1], sys.argv[2]
scratch = tempfile.mkdtemp(prefix="tandel-mandc-bench-")
os.makedirs(f"{scratch}/tandel")
with open(f"{scratch}/tandel/tandel.ini", "w") as ini:
    ini.write("[Options]\nRecursive=1\n")
env = {"HOME": scratch, "XDG_CONFIG_HOME": scratch, "PATH": "/usr/bin:/bin",
       "QT_QPA_PLATFORM": "offscreen"}
# Read both trees once so that neither side pays for a cold cache.
subprocess.run(["diff", "-rq", f"{trees}/one", f"{trees}/two"], stdout=subprocess.DEVNULL)
probe = f"{build}/bench/startup_probe_mandc"
window, painted, core = [], [], []
rows = ""

def marks(arguments):
    out = subprocess.run([probe] + arguments, env=env, capture_output=True, text=True,
                         check=True).stdout
    return dict(line.split() for line in out.splitlines())

for _ in range(5):
    start = time.perf_counter()
    m = marks(["-d1", f"{trees}/one", "-d2", f"{trees}/two", "-outd", f"{scratch}/out", "-mandc"])
    window.append((time.perf_counter() - start) * 1000)
    painted.append(float(m["painted"]))
    rows = m["rows"]
    core.append(float(marks(["--core", f"{trees}/one", f"{trees}/two", f"{scratch}/out"])["core"]))
w, p, c = statistics.median(window), statistics.median(painted), statistics.median(core)
print(f"rows shown:                          {rows}")
print(f"directory window, spawn to painted:  {p:8.0f} ms  (process wall {w:.0f} ms)")
print(f"core list build alone:               {c:8.0f} ms")
print(f"ratio:                               {p / c:8.2f}")
PY
"$build/bench/directory_lists_ui_bench" --benchmark_counters_tabular=true
