#!/usr/bin/env bash
# Runs the tests of a Windows build under Wine: run-windows-tests.sh BUILD_DIR
# Exits 77 (skipped) when Wine is missing.
set -u
if ! command -v wine >/dev/null 2>&1; then
  echo "wine is not installed (Debian packages wine64 and wine): the Windows tests are skipped"
  exit 77
fi
exec ctest --test-dir "$1" --output-on-failure -j2 --timeout 900
