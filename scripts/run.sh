#!/usr/bin/env bash
# Installs what is missing, builds, and starts the tool.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${MORVEX_BUILD_DIR:-$top/build}"
bash "$top/scripts/install-deps.sh" run
bash "$top/scripts/build.sh" -DMORVEX_BUILD_TESTS=OFF
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here: starting under Xvfb instead."
  exec xvfb-run -a "$build/src/app/morvex"
fi
exec "$build/src/app/morvex"
