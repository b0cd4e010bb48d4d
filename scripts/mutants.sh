#!/usr/bin/env bash
# Applies a fixed, seeded sample of small mutations to the core's sources in a
# scratch copy, rebuilds, runs the core tests and prints the share of mutants
# they kill. Options: --count N (150), --seed S (22), --list, --work DIR,
# --against REF (the core tests of REF run on the same mutants, for a second score).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TANDEL_PACKAGES_ONLY=1 "$root/scripts/setup.sh"
exec python3 "$root/scripts/mutants.py" "$@"
