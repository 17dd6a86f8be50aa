#!/usr/bin/env bash
# Runs one fuzz target over its seed corpus and then for a bounded number of
# generated inputs:  run-fuzzer.sh FUZZER SEED_DIR RUNS [libFuzzer options...]
# New inputs go to a scratch corpus, never into the seed folder of the
# checkout; a crashing input is written beside the scratch corpus and named
# on the way out, to be kept in the seed folder as a regression case.
set -u
fuzzer=$1 seeds=$2 runs=$3
shift 3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/corpus"
"$fuzzer" -runs="$runs" -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$PWD/$(basename "$fuzzer")-" "$@" "$scratch/corpus" "$seeds"
