#!/usr/bin/env bash
# Runs the random-operation soak of a grid in a headless window for SECONDS
# (default 60) under the sanitizers, with a fresh seed unless one is given.
# On failure it prints the seed and the last operations; rerun with that seed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
seed=${2:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
build=${TAVIX_BUILD_DIR:-build/asan}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVIX_SANITIZE=ON -DTAVIX_BENCH=OFF >/dev/null
cmake --build "$build" --target test_platform
echo "soak: seed $seed for $seconds s"
TAVIX_SOAK_SEED=$seed TAVIX_SOAK_SECONDS=$seconds ASAN_OPTIONS=detect_leaks=1 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp \
  "$build"/tests/test_platform --gtest_filter='GridSoak.*'
