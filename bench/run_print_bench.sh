#!/bin/sh
# Times Print of the whole merged result of the engine benchmark's case a
# (two 1,000,000-line files with 100 scattered changes, both sides taken)
# into a PDF file, offscreen; reports seconds, pages and pages per second.
# Usage: bench/run_print_bench.sh [build folder]   (default: build/)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
data=$here/data
[ -f "$data/a2.txt" ] || python3 "$here/gen_engine_cases.py" "$data"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QT_QPA_PLATFORM=offscreen "$build/bench/print_timing" "$data/a1.txt" "$data/a2.txt" "$out/result.pdf"
ls -l "$out/result.pdf" | awk '{ printf "PDF: %.1f MB\n", $5 / 1e6 }'
