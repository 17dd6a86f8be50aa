#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a long while:
#   scripts/fuzz.sh [SECONDS_PER_TARGET]     (default 600)
# A crash leaves its input as <target>-crash-... in the current folder: keep
# it in tests/fuzz/corpus/<target>/ as a regression case once it is fixed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build="${MORVEX_FUZZ_BUILD_DIR:-$top/build-fuzz}"
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$top/tests/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$build" -j2
for fuzzer in "$build"/*_fuzzer; do
  name=$(basename "$fuzzer")
  echo "== $name: $seconds s"
  bash "$top/tests/fuzz/run-fuzzer.sh" "$fuzzer" "$top/tests/fuzz/corpus/$name" -1 -max_total_time="$seconds"
done
