#!/bin/sh
# Start-up to the shown, idle window with no files, offscreen: the program
# against a program that only shows an empty main window, 10 runs of each
# interleaved, medians of the wall time from spawn to exit, and the median
# phases each probe reports (process start to main, toolkit set up, window
# built, shown and idle).
# Usage: bench/run_startup_bench.sh [build folder]   (default: build/)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}

python3 - "$build" <<'PY'
import os, statistics, subprocess, sys, tempfile, time
build = sys.argv[1]
scratch = tempfile.mkdtemp(prefix="tandel-startup-bench-")
env = {"HOME": scratch, "XDG_CONFIG_HOME": scratch, "PATH": "/usr/bin:/bin",
       "QT_QPA_PLATFORM": "offscreen"}
programs = {"tandel": f"{build}/bench/startup_probe_tandel",
            "minimal": f"{build}/bench/startup_probe_minimal"}
walls = {name: [] for name in programs}
phases = {name: {} for name in programs}
for _ in range(10):
    for name, path in programs.items():
        start = time.perf_counter()
        out = subprocess.run([path], env=env, capture_output=True, text=True, check=True).stdout
        walls[name].append((time.perf_counter() - start) * 1000)
        for line in out.splitlines():
            phase, ms = line.split()
            phases[name].setdefault(phase, []).append(float(ms))
for name in programs:
    marks = "  ".join(f"{p} {statistics.median(v):.1f}" for p, v in phases[name].items())
    print(f"{name:8} median wall {statistics.median(walls[name]):6.1f} ms   ({marks} ms)")
ratio = statistics.median(walls["tandel"]) / statistics.median(walls["minimal"])
print(f"ratio {ratio:.2f}")
PY
