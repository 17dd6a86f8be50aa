#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole suite
# headless.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${MORVEX_BUILD_DIR:-$top/build}"
bash "$top/scripts/install-deps.sh" test
bash "$top/scripts/build.sh"
cd "$build"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j2 --timeout 600
