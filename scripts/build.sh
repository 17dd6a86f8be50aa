#!/usr/bin/env bash
# Configures and builds out of tree, in build/ beside the sources.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${MORVEX_BUILD_DIR:-$top/build}"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j2
