#!/usr/bin/env bash
# Installs what is missing and builds Tandel into build/ (Release).
# Sourced by run.sh and test.sh; safe to run again: it only does what is missing.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(build-essential cmake ninja-build qt6-base-dev qt6-svg-dev
          libsimpleini-dev libgtest-dev libgmock-dev libbenchmark-dev
          git clang-format desktop-file-utils man-db groff-base xvfb xdotool poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

# Scripts that build a tree of their own want only the packages.
[ -n "${TANDEL_PACKAGES_ONLY:-}" ] && exit 0

jobs="$(nproc 2>/dev/null || echo 2)"
# Extra cache settings for build/ may come in TANDEL_CMAKE_FLAGS (test.sh uses it).
# shellcheck disable=SC2086
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release ${TANDEL_CMAKE_FLAGS:-} >/dev/null
cmake --build "$root/build" -j "$jobs"
