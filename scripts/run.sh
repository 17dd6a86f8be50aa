#!/usr/bin/env bash
# Installs what is missing, builds, and starts the stand-in CAD with the
# project's sample drawing and the tool beside it (scripts/start.sh).
#
# On a machine without a display both run under Xvfb instead: the script
# says so, saves a screenshot of the two windows side by side, prints where
# it is, and ends both programs. When a program does not start, it says
# which and ends with a status other than 0.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${MORVEX_BUILD_DIR:-$top/build}"
bash "$top/scripts/install-deps.sh" run
bash "$top/scripts/build.sh" -DMORVEX_BUILD_TESTS=OFF -DMORVEX_WITH_STANDIN=ON

exec bash "$top/scripts/start.sh"
