#!/bin/sh
# Times the directory window's list build against the system "diff -rq" on the
# same two generated trees (20,000 files each in 200 folders), median of 3.
# Usage: bench/run_dirmerge_bench.sh [dirmerge_build_bench program] [trees folder]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../build/bench/dirmerge_build_bench}
trees=${2:-${TMPDIR:-/tmp}/tandel-dir-trees}
[ -d "$trees/one" ] || python3 "$here/gen_dir_trees.py" "$trees"

# Read both trees once so that neither side pays for a cold cache.
diff -rq "$trees/one" "$trees/two" >/dev/null 2>&1 || true

peer=$(python3 - "$trees" <<'PY'
import statistics, subprocess, sys, time
t = sys.argv[1]
runs = []
for _ in range(3):
    start = time.perf_counter()
    subprocess.run(["diff", "-rq", t + "/one", t + "/two"], stdout=subprocess.DEVNULL)
    runs.append(time.perf_counter() - start)
print(f"{statistics.median(runs) * 1000:.0f}")
PY
)
ours=$(TANDEL_BENCH_TREES="$trees" "$program" --benchmark_format=csv 2>/dev/null |
       awk -F, '/BM_DirectoryListBuild/ { printf "%.0f", $3 }')
echo "diff -rq:            ${peer} ms"
echo "directory list build: ${ours} ms"
python3 -c "print(f'ratio: {int(\"$ours\") / max(1, int(\"$peer\")):.2f}')"
