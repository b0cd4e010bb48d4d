#!/bin/sh
# Times build/tandel-diff against the system diff on large generated pairs,
# interleaved, median of the runs, and prints the ratios:
#   pair      10,000,000 lines a side (about 590 MB each), 100 changes; also
#             tandel-diff's peak private memory against both inputs' size
#   shuffled  100,000 lines against the same lines in random order
#   repeats   2,000,000 lines against 3,400,000 that hold a second copy of
#             1,400,000 of them in the middle (first and last line changed)
# The inputs are generated into a scratch folder and deleted afterwards.
# Usage: bench/run_large_bench.sh [build folder] [scratch parent] [runs]
#        (defaults: build/, /tmp, 3)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
parent=${2:-/tmp}
runs=${3:-3}
# The pair takes 1.2 GB, the repeats 0.3 GB, and the outputs little.
need_kb=$((2 * 1024 * 1024))
free_kb=$(df -Pk "$parent" | awk 'NR == 2 { print $4 }')
if [ "$free_kb" -lt "$need_kb" ]; then
    echo "need 2 GB free in $parent, have $((free_kb / 1024)) MB" >&2
    exit 2
fi
scratch=$(mktemp -d "$parent/tandel-large-bench-XXXXXX")
trap 'rm -rf "$scratch"' EXIT INT TERM

for case in pair shuffled repeats; do
    python3 "$here/gen_large_cases.py" "$scratch" "$case"
done
echo "load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg)"

python3 - "$build/tandel-diff" "$scratch" "$runs" <<'PY'
import os, re, statistics, subprocess, sys, time
tool, scratch, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])

def timed(command, env=None):
    """Wall and CPU (user + system, all threads) seconds, and the result."""
    before = os.times()
    start = time.perf_counter()
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env)
    wall = time.perf_counter() - start
    after = os.times()
    cpu = (after.children_user - before.children_user) + (after.children_system - before.children_system)
    return wall, cpu, result

def commands(text):
    return [l for l in text.decode(errors="replace").splitlines() if l[:1].isdigit()]

def changed_lines(lines):
    """Lines deleted plus lines added by normal-format commands."""
    total = 0
    for command in lines:
        m = re.fullmatch(r"(\d+)(?:,(\d+))?([acd])(\d+)(?:,(\d+))?", command)
        a1, a2, kind, b1, b2 = m.groups()
        if kind != "a":
            total += int(a2 or a1) - int(a1) + 1
        if kind != "d":
            total += int(b2 or b1) - int(b1) + 1
    return total

# On a busy machine the CPU ratio is the steadier one; tandel-diff splits
# large inputs on two threads, so its CPU time may exceed its wall time.
print(f"{'case':9} {'tandel s':>9} {'diff s':>9} {'ratio':>6} {'cpu ratio':>9}  "
      f"{'changed lines (tandel / diff)':>30}")
for case in ("pair", "shuffled", "repeats"):
    files = [f"{scratch}/{case}1.txt", f"{scratch}/{case}2.txt"]
    ours, peer = [tool] + files, ["diff"] + files
    times = {"ours": [], "peer": [], "ours cpu": [], "peer cpu": []}
    for _ in range(runs):
        wall, cpu, our_result = timed(ours)
        times["ours"].append(wall)
        times["ours cpu"].append(cpu)
        wall, cpu, peer_result = timed(peer)
        times["peer"].append(wall)
        times["peer cpu"].append(cpu)
    t_ours, t_peer = statistics.median(times["ours"]), statistics.median(times["peer"])
    c_ours, c_peer = statistics.median(times["ours cpu"]), statistics.median(times["peer cpu"])
    mine, theirs = commands(our_result.stdout), commands(peer_result.stdout)
    quality = "same commands" if mine == theirs else f"{changed_lines(mine)} / {changed_lines(theirs)}"
    print(f"{case:9} {t_ours:9.2f} {t_peer:9.2f} {t_ours / t_peer:6.2f} {c_ours / c_peer:9.2f}  "
          f"{quality:>30}")
    if case == "pair":
        env = dict(os.environ, TANDEL_DIFF_RSS_REPORT="1")
        _, _, result = timed(ours, env)
        peak = int(re.search(rb"peak RssAnon (\d+) kB", result.stderr).group(1))
        inputs = sum(os.path.getsize(f) for f in files) / 1024
        pair_line = (f"          peak private memory {peak} kB = {peak / inputs:.2f} x the "
                     f"inputs' {inputs:.0f} kB")
        print(pair_line)
PY
echo "load average after the runs: $(cut -d' ' -f1-3 /proc/loadavg)"
