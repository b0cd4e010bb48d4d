#!/bin/sh
# Times the unattended run (tandel -auto) against tandel-diff alone on the
# engine benchmark's case a (two 1,000,000-line files with 100 scattered
# changes), median of 5 interleaved runs, and reports both peak memories
# against the two files' bytes.
# Usage: bench/run_auto_bench.sh [build folder]   (default: build/)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
data=$here/data
[ -x /usr/bin/time ] || { echo "install the Debian package 'time'" >&2; exit 2; }
[ -f "$data/a2.txt" ] || python3 "$here/gen_engine_cases.py" "$data"

python3 - "$build" "$data" "$here" <<'PY'
import os, shutil, subprocess, sys, tempfile
sys.path.insert(0, sys.argv[3])
from timing import interleaved_medians
build, data = sys.argv[1], sys.argv[2]
a1, a2 = f"{data}/a1.txt", f"{data}/a2.txt"
scratch = tempfile.mkdtemp(prefix="tandel-auto-bench-")
out = os.path.join(scratch, "merged.txt")
# A private settings folder and no display, as an unattended run would have.
env = {"HOME": scratch, "XDG_CONFIG_HOME": scratch, "PATH": "/usr/bin:/bin"}
auto = [f"{build}/tandel", "-auto", "-f1", a1, "-f2", a2, "-outf", out]
diff = [f"{build}/tandel-diff", "-a", a1, a2]

def peak_kb(command):
    result = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True, env=env)
    return int(result.stderr.strip().splitlines()[-1])

medians = interleaved_medians(auto, diff, 5, env, out)
t_auto, t_diff = medians["ours"], medians["peer"]
c_auto, c_diff = medians["ours cpu"], medians["peer cpu"]
m_auto, m_diff = peak_kb(auto), peak_kb(diff)
inputs_kb = (os.path.getsize(a1) + os.path.getsize(a2)) / 1024
print(f"tandel -auto  {t_auto:7.3f} s wall  {c_auto:7.3f} s cpu  {m_auto:9d} KB")
print(f"tandel-diff   {t_diff:7.3f} s wall  {c_diff:7.3f} s cpu  {m_diff:9d} KB")
# On a busy machine the CPU ratio is the steadier of the two.
print(f"time ratio {t_auto / t_diff:.2f} wall, {c_auto / c_diff:.2f} cpu (limit 1.5); "
      f"peak memory {m_auto / inputs_kb:.2f} x the inputs' {inputs_kb:.0f} KB (limit 4)")
shutil.rmtree(scratch, ignore_errors=True)
PY
