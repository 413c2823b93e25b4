#!/usr/bin/env bash
# Line and branch coverage of src/ by the test suites: a Debug build with --coverage,
# every ctest entry run, and gcovr's summary. Build directory: $TAVIX_COVERAGE_DIR or build/coverage.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${TAVIX_COVERAGE_DIR:-build/coverage}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVIX_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="--coverage -fprofile-update=atomic" -DCMAKE_EXE_LINKER_FLAGS=--coverage \
  -DCMAKE_SHARED_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$build"
find "$build" -name '*.gcda' -delete
ctest --test-dir "$build" -j2 --output-on-failure >/dev/null || echo "coverage: some tests failed" >&2
gcovr --root . --filter 'src/' --exclude-unreachable-branches --exclude-throw-branches \
  --print-summary --txt "$build/coverage.txt" "$build" | tail -n 3
