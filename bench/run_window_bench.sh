#!/bin/sh
# The window on a large generated pair (default 10,000,000 lines a side,
# about 590 MB each), offscreen, against tandel-diff on the same pair, runs
# interleaved, medians: when the window first paints, when both panes show
# the comparison ("ready", and its ratio to tandel-diff), and how long a
# Cancel sent during the comparison takes to leave an idle window.
# The pair is generated into a scratch folder and deleted afterwards.
# Usage: bench/run_window_bench.sh [build folder] [scratch parent] [runs] [lines]
#        (defaults: build/, /tmp, 3, 10000000)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
parent=${2:-/tmp}
runs=${3:-3}
lines=${4:-10000000}
scratch=$(mktemp -d "$parent/tandel-window-bench-XXXXXX")
trap 'rm -rf "$scratch"' EXIT INT TERM
python3 "$here/gen_large_cases.py" "$scratch" pair "$lines"
echo "load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg)"

python3 - "$build" "$scratch" "$runs" <<'PY'
import os, statistics, subprocess, sys, tempfile, time
build, scratch, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
one, two = f"{scratch}/pair1.txt", f"{scratch}/pair2.txt"
home = tempfile.mkdtemp(prefix="tandel-window-home-")
env = {"HOME": home, "XDG_CONFIG_HOME": home, "PATH": "/usr/bin:/bin",
       "QT_QPA_PLATFORM": "offscreen"}

def marks(command):
    out = subprocess.run(command, env=env, capture_output=True, text=True).stdout
    return {m.split()[0]: float(m.split()[1]) for m in out.splitlines() if len(m.split()) == 2}

diff, first, ready, stop = [], [], [], []
for _ in range(runs):
    start = time.perf_counter()
    subprocess.run([f"{build}/tandel-diff", "-a", one, two], stdout=subprocess.DEVNULL, env=env)
    diff.append((time.perf_counter() - start) * 1000)
    m = marks([f"{build}/bench/window_timing", one, two])
    first.append(m["first-paint"])
    ready.append(m["panes"])
    # Escape once the comparison is well under way.
    c = marks([f"{build}/bench/window_timing", "--cancel", str(int(statistics.median(diff) * 0.6)),
               one, two])
    if "stopped" in c:
        stop.append(c["stopped"] - c["escape"])
d, f, r = statistics.median(diff), statistics.median(first), statistics.median(ready)
print(f"tandel-diff {d:8.0f} ms")
print(f"first paint {f:8.0f} ms after start")
print(f"ready       {r:8.0f} ms   ratio to tandel-diff {r / d:.2f}")
if stop:
    print(f"cancel      {statistics.median(stop):8.1f} ms from Escape to an idle window "
          f"(max {max(stop):.1f})")
else:
    print("cancel      the comparison ended before Escape was sent")
PY
echo "load average after the runs: $(cut -d' ' -f1-3 /proc/loadavg)"
