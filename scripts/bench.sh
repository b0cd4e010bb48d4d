#!/usr/bin/env bash
# Builds the benchmarks into build-bench/ (Release) and runs them. With names,
# runs only those: scripts/bench.sh large window runs bench/run_large_bench.sh
# and bench/run_window_bench.sh. Some need a few GB free in /tmp.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TANDEL_PACKAGES_ONLY=1 "$root/scripts/setup.sh"
build="$root/build-bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTANDEL_BENCH=ON \
      -DTANDEL_CORE_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
names=("$@")
if ((${#names[@]} == 0)); then
  for script in "$root"/bench/run_*_bench.sh; do
    name="${script##*/run_}"
    names+=("${name%_bench.sh}")
  done
fi
for name in "${names[@]}"; do
  echo "== $name =="
  case "$name" in
    dirmerge) argument="$build/bench/dirmerge_build_bench" ;;
    engine) argument="$build/tandel-diff" ;;
    *) argument="$build" ;;
  esac
  "$root/bench/run_${name}_bench.sh" "$argument"
done
