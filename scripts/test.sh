#!/usr/bin/env bash
# Sets up, builds and runs every test: the Release build with the UI and
# end-to-end tests (offscreen), then the core tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the fuzz targets. Exits non-zero on any
# failure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# A build from scratch: sources compiled in batches (one compile of the shared
# headers per batch) are over in half the time.
TANDEL_CMAKE_FLAGS="-DTANDEL_CORE_TESTS=OFF -DCMAKE_UNITY_BUILD=ON" "$root/scripts/setup.sh"
jobs="$(nproc 2>/dev/null || echo 2)"

export QT_QPA_PLATFORM=offscreen
(cd "$root/build" && ctest --output-on-failure -j "$jobs")

# The core's tests and the fuzz targets share one sanitized build of the core.
"$root/scripts/fuzz.sh" --tests 5
