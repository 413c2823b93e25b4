#!/usr/bin/env bash
# Builds in Release and runs the benchmarks (extra arguments go to tavix-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${TAVIX_BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVIX_TESTS=OFF >/dev/null
cmake --build "$build" --target tavix-bench
"$build"/bench/tavix-bench "$@"
