#!/bin/sh
# Times Find Next for a text that occurs nowhere (the search runs to the end,
# wraps once and fails) on the engine benchmark's case a, two 1,000,000-line
# files with 100 scattered changes, against grep -F -c over the same two
# files, with and without ignore case. Runs are interleaved; medians of 5.
# Usage: bench/run_search_bench.sh [build folder]   (default: build/)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
data=$here/data
[ -f "$data/a2.txt" ] || python3 "$here/gen_engine_cases.py" "$data"

python3 - "$build/bench/search_timing" "$data" <<'PY'
import statistics, subprocess, sys, time
timing, data = sys.argv[1], sys.argv[2]
files = [f"{data}/a1.txt", f"{data}/a2.txt"]

def grep(text, fold):
    command = ["grep", "-F", "-c"] + (["-i"] if fold else []) + [text] + files
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=False)
    return time.perf_counter() - start

def search(text, fold):
    command = [timing] + files + [text] + (["-i"] if fold else []) + ["5"]
    out = subprocess.run(command, capture_output=True, text=True, check=True).stdout.split()
    assert out[1] == "not-found", f"{text!r} occurs in the files"
    return float(out[0])

print(f"{'text':26} {'case':6} {'search ms':>10} {'grep ms':>9} {'ratio':>6}")
for text in ("gamma gamma gamma gamma", "no such line", "Q"):
    for fold in (False, True):
        ours, peer = [], []
        for _ in range(5):
            peer.append(grep(text, fold))
            ours.append(search(text, fold))
        o, p = statistics.median(ours), statistics.median(peer)
        print(f"{text!r:26} {'ignore' if fold else 'match':6} {o * 1e3:10.1f} {p * 1e3:9.1f} {o / p:6.2f}")
PY
