#!/usr/bin/env bash
# Sets up, builds and starts Tandel with the given arguments.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
exec "$root/build/tandel" "$@"
