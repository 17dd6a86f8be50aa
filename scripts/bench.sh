#!/usr/bin/env bash
# Installs what is missing, builds, runs the benchmark suite and prints its
# table: every figure beside its reference, the ratio, the target, and each
# command's CAD calls per item. Arguments go to the benchmark program (for
# example --benchmark_filter=Search). Takes a few minutes; run it on a
# machine with as little else to do as possible.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${MORVEX_BUILD_DIR:-$top/build}"
# The table alone on stdout: what installing and building say goes to stderr.
bash "$top/scripts/install-deps.sh" test >&2
bash "$top/scripts/build.sh" >&2

results=$(mktemp --suffix=.json)
trap 'rm -f "$results"' EXIT
QT_QPA_PLATFORM=offscreen "$build/benchmarks/morvex_benchmarks" \
  --benchmark_out="$results" --benchmark_out_format=json "$@" >&2
python3 "$top/benchmarks/benchtable.py" "$results"
