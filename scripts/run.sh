#!/usr/bin/env bash
# Installs what is missing, builds, and starts the stand-in CAD with the
# project's sample drawing and the tool beside it.
#
# On a machine without a display both run under Xvfb instead: the script
# says so, saves a screenshot of the two windows side by side, prints where
# it is, and ends both programs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${MORVEX_BUILD_DIR:-$top/build}"
bash "$top/scripts/install-deps.sh" run
bash "$top/scripts/build.sh" -DMORVEX_BUILD_TESTS=OFF -DMORVEX_WITH_STANDIN=ON

cad="$build/standin/app/morvex-cad"
tool="$build/src/app/morvex"
drawing="$top/samples/sample-panel.dxf"
# The stand-in's window on the left of the screen; the tool places its own
# window (centred on a first start).
cad_geometry="960x760+0+0"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$cad" -geometry "$cad_geometry" "$drawing" &
  cad_pid=$!
  trap 'kill "$cad_pid" 2>/dev/null || true' EXIT
  sleep 1
  "$tool"
  exit 0
fi

echo "No display here: starting the stand-in CAD and the tool under Xvfb instead."
screenshot="${MORVEX_SCREENSHOT:-$build/morvex-screenshot.png}"
export MORVEX_RUN_CAD="$cad" MORVEX_RUN_TOOL="$tool" MORVEX_RUN_DRAWING="$drawing"
# A wide screen, so that the tool's centred window stands beside the CAD's.
export MORVEX_RUN_GEOMETRY="920x760+0+40" MORVEX_RUN_SCREENSHOT="$screenshot"
export MORVEX_RUN_GRAB="$build/standin/app/morvex-screenshot"
xvfb-run -a -s "-screen 0 2240x900x24" bash -c '
  set -u
  "$MORVEX_RUN_CAD" -geometry "$MORVEX_RUN_GEOMETRY" "$MORVEX_RUN_DRAWING" &
  cad_pid=$!
  sleep 2
  "$MORVEX_RUN_TOOL" &
  tool_pid=$!
  sleep 3
  status=0
  "$MORVEX_RUN_GRAB" --wait 30 "$MORVEX_RUN_SCREENSHOT" || status=$?
  kill "$tool_pid" "$cad_pid" 2>/dev/null
  wait "$tool_pid" "$cad_pid" 2>/dev/null
  exit $status
'
echo "Screenshot of the stand-in CAD and the tool: $screenshot"
