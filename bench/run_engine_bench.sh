#!/bin/sh
# Times build/tandel-diff -a against the system diff -a on the generated cases,
# interleaved, median of 5 runs, and compares peak memory and the change lines.
# Usage: bench/run_engine_bench.sh [path of tandel-diff]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tool=${1:-$here/../build/tandel-diff}
data=$here/data
[ -x /usr/bin/time ] || { echo "install the Debian package 'time'" >&2; exit 2; }
[ -f "$data/d2.txt" ] || python3 "$here/gen_engine_cases.py" "$data"

python3 - "$tool" "$data" <<'PY'
import statistics, subprocess, sys, time
tool, data = sys.argv[1], sys.argv[2]
cases = [("a", []), ("b", []), ("c", []), ("d", ["-b"])]

def timed(command):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=False)
    return time.perf_counter() - start

def peak_kb(command):
    result = subprocess.run(["/usr/bin/time", "-f", "%M"] + command,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    return int(result.stderr.strip().splitlines()[-1])

def commands(case, options):
    files = [f"{data}/{case}1.txt", f"{data}/{case}2.txt"]
    return [tool, "-a"] + options + files, ["diff", "-a"] + options + files

print(f"{'case':4} {'tandel s':>9} {'diff s':>9} {'ratio':>6} {'tandel KB':>10} {'diff KB':>9} {'ratio':>6}  output")
for case, options in cases:
    ours, peer = commands(case, options)
    times = {"ours": [], "peer": []}
    for _ in range(5):
        times["ours"].append(timed(ours))
        times["peer"].append(timed(peer))
    t_ours, t_peer = statistics.median(times["ours"]), statistics.median(times["peer"])
    m_ours, m_peer = peak_kb(ours), peak_kb(peer)
    our_lines = subprocess.run(ours, capture_output=True, text=True, errors="replace").stdout
    peer_lines = "".join(l + "\n" for l in subprocess.run(peer, capture_output=True, text=True,
                         errors="replace").stdout.splitlines() if l[:1].isdigit())
    same = "same" if our_lines == peer_lines else (
        f"differs ({our_lines.count(chr(10))} vs {peer_lines.count(chr(10))} commands)")
    print(f"{case:4} {t_ours:9.3f} {t_peer:9.3f} {t_ours / t_peer:6.2f} "
          f"{m_ours:10d} {m_peer:9d} {m_ours / m_peer:6.2f}  {same}")
PY
