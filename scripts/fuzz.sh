#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/, then runs each target in turn
# for SECONDS (default 5) on a copy of its seed corpus in tests/fuzz/corpus/.
# With --tests first, the core's tests are built in the same tree (the core is
# compiled once, sanitized) and run before the fuzzing.
# Exits non-zero when a test fails or a target finds a crash, a leak or a
# broken invariant; the input that did it is left in build-fuzz/findings/.
# Usage: scripts/fuzz.sh [--tests] [SECONDS [TARGET...]]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
with_tests=0
if [ "${1:-}" = "--tests" ]; then
  with_tests=1
  shift
fi
seconds="${1:-5}"
shift || true
targets=("$@")
((${#targets[@]})) || targets=(engine script_reader settings command_line pattern)

if ! command -v clang++ >/dev/null 2>&1; then
  echo "Installing: clang"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq clang
fi

build="$root/build-fuzz"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
      -DTANDEL_CORE_ONLY=ON -DTANDEL_BENCH=OFF -DTANDEL_FUZZ=ON -DCMAKE_UNITY_BUILD=ON >/dev/null
jobs="$(nproc 2>/dev/null || echo 2)"
cmake --build "$build" -j "$jobs" --target "${targets[@]/%/_fuzz}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if ((with_tests)); then
  echo "== Core tests under AddressSanitizer + UndefinedBehaviorSanitizer =="
  cmake --build "$build" -j "$jobs"
  (cd "$build" && ctest --output-on-failure -j "$jobs")
fi

mkdir -p "$build/findings"
for target in "${targets[@]}"; do
  # Work on a copy: new inputs found by a run stay out of the repository.
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  cp -n "$root/tests/fuzz/corpus/$target"/* "$corpus/" 2>/dev/null || true
  echo "== fuzz $target for ${seconds}s =="
  "$build/${target}_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=20 \
      -rss_limit_mb=4096 -artifact_prefix="$build/findings/${target}-" -print_final_stats=1 \
      "$corpus" 2>"$build/${target}.log" || {
    tail -n 60 "$build/${target}.log"
    echo "fuzz $target: FAILED (input kept in $build/findings/)"
    exit 1
  }
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$build/${target}.log" |
    sed "s/^/  $target /"
done
echo "fuzzing passed"
