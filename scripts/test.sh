#!/usr/bin/env bash
# Sets up, builds and runs every test: the Release build with the UI tests
# offscreen, then the core tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
jobs="$(nproc 2>/dev/null || echo 2)"

export QT_QPA_PLATFORM=offscreen
(cd "$root/build" && ctest --output-on-failure -j "$jobs")

echo "== Core tests under AddressSanitizer + UndefinedBehaviorSanitizer =="
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DTANDEL_CORE_ONLY=ON -DTANDEL_SANITIZE=ON -DTANDEL_BENCH=OFF >/dev/null
cmake --build "$root/build-asan" -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$root/build-asan" && ctest --output-on-failure -j "$jobs")

echo "== Fuzz targets, a few seconds each =="
"$root/scripts/fuzz.sh" 5
