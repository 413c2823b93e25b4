#!/usr/bin/env bash
# Builds one fuzz target with Clang's libFuzzer and runs it for SECONDS, starting from its seed
# corpus in fuzz/corpus/TARGET. New inputs go to the build directory, crashes to its findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=$(ls fuzz/corpus | tr '\n' ' ')
if [ $# -lt 1 ]; then
  echo "usage: scripts/fuzz.sh TARGET [SECONDS]   targets: $targets" >&2
  exit 2
fi
target=$1
seconds=${2:-60}
if [ ! -d "fuzz/corpus/$target" ]; then
  echo "no fuzz target '$target'; targets: $targets" >&2
  exit 2
fi
if ! command -v clang++ >/dev/null; then
  echo "clang++ not found: fuzzing needs Clang's libFuzzer" >&2
  exit 1
fi
build=${TAVIX_FUZZ_BUILD_DIR:-build/fuzz}
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIX_FUZZ=ON \
  -DTAVIX_BENCH=OFF >/dev/null
cmake --build "$build" --target "fuzz_$target"
# Fontconfig keeps its caches to the end: that is not a finding.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp}
work="$build/corpus/$target"
findings="$build/findings/$target"
mkdir -p "$work" "$findings"
"$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/" \
  "$work" "fuzz/corpus/$target"
