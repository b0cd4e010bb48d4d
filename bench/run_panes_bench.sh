#!/bin/sh
# The panes on the engine benchmark's case a (two 1,000,000-line files with
# 100 changes), offscreen:
#  - from process start to both panes painted with the comparison shown
#    (startup_probe_tandel's "panes" mark) against the whole unattended run
#    (tandel -auto) on the same pair, 5 runs of each interleaved, medians;
#  - peak memory with the pair shown, against the two files' bytes;
#  - one full screen (60 rows, both panes) painted anywhere in the file, and
#    the rows a one-row and a one-page scroll paint (pane_paint_timing).
# Usage: bench/run_panes_bench.sh [build folder]   (default: build/)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
data=$here/data
[ -x /usr/bin/time ] || { echo "install the Debian package 'time'" >&2; exit 2; }
[ -f "$data/a2.txt" ] || python3 "$here/gen_engine_cases.py" "$data"

python3 - "$build" "$data" <<'PY'
import os, shutil, statistics, subprocess, sys, tempfile, time
build, data = sys.argv[1], sys.argv[2]
a1, a2 = f"{data}/a1.txt", f"{data}/a2.txt"
scratch = tempfile.mkdtemp(prefix="tandel-panes-bench-")
out = os.path.join(scratch, "merged.txt")
env = {"HOME": scratch, "XDG_CONFIG_HOME": scratch, "PATH": "/usr/bin:/bin",
       "QT_QPA_PLATFORM": "offscreen"}
auto = [f"{build}/tandel", "-auto", "-f1", a1, "-f2", a2, "-outf", out]
shown = [f"{build}/bench/startup_probe_tandel", "-f1", a1, "-f2", a2]

autos, panes, walls = [], [], []
for _ in range(5):
    start = time.perf_counter()
    subprocess.run(auto, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    autos.append((time.perf_counter() - start) * 1000)
    start = time.perf_counter()
    marks = subprocess.run(shown, env=env, capture_output=True, text=True, check=True).stdout
    walls.append((time.perf_counter() - start) * 1000)
    phases = dict(line.split() for line in marks.splitlines())
    panes.append(float(phases["panes"]))
t_auto, t_panes = statistics.median(autos), statistics.median(panes)
print(f"tandel -auto            {t_auto:8.1f} ms wall")
print(f"both panes painted      {t_panes:8.1f} ms from process start "
      f"(probe ends at idle after {statistics.median(walls):.1f} ms)")
print(f"ratio {t_panes / t_auto:.2f} (limit 1.3)")

result = subprocess.run(["/usr/bin/time", "-f", "%M"] + shown, env=env, stdout=subprocess.DEVNULL,
                        stderr=subprocess.PIPE, text=True, check=True)
peak_kb = int(result.stderr.strip().splitlines()[-1])
inputs_kb = (os.path.getsize(a1) + os.path.getsize(a2)) / 1024
print(f"peak memory with the pair shown {peak_kb} KB = {peak_kb / inputs_kb:.2f} x the inputs' "
      f"{inputs_kb:.0f} KB (limit 2.5)")
shutil.rmtree(scratch, ignore_errors=True)
PY
"$build/bench/pane_paint_timing" "$data" --benchmark_counters_tabular=true
