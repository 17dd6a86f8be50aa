#!/usr/bin/env bash
# Starts the built stand-in CAD with the project's sample drawing and the
# tool beside it (scripts/run.sh builds them first).
#
# On a machine without a display both run under Xvfb instead: the script
# says so, saves a screenshot of the two windows side by side, prints where
# it is, and ends both programs.
#
# When a program does not start, the script says which and why it thinks
# so, and ends with a status other than 0:
#   3  the stand-in CAD ended at once (its own message tells why, for
#      example another stand-in already serving the ProgID)
#   4  the tool ended at once: with status 0 another copy of the tool runs
#      already (it keeps to one copy); else it crashed or failed
#   5  no screenshot: the screen stayed blank, or it could not be saved
#
# MORVEX_CAD_PROGRAM and MORVEX_TOOL_PROGRAM name other programs to start
# than the build's (the script's own test uses them).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${MORVEX_BUILD_DIR:-$top/build}"

export MORVEX_RUN_CAD="${MORVEX_CAD_PROGRAM:-$build/standin/app/morvex-cad}"
export MORVEX_RUN_TOOL="${MORVEX_TOOL_PROGRAM:-$build/src/app/morvex}"
export MORVEX_RUN_DRAWING="$top/samples/sample-panel.dxf"
export MORVEX_RUN_GRAB="$build/standin/app/morvex-screenshot"
# Seconds each program has to show that it runs.
export MORVEX_RUN_CAD_START="${MORVEX_RUN_CAD_START:-2}" MORVEX_RUN_TOOL_START="${MORVEX_RUN_TOOL_START:-3}"

# The two programs, started one after the other; each must still run once
# it has had its time to start. Reports a program that did not and ends
# with its status above; with both running, runs "$@" (the tool's own run,
# or the screenshot) and ends both.
run_both() {
  set -u
  local cad_pid tool_pid status=0
  "$MORVEX_RUN_CAD" -geometry "$MORVEX_RUN_GEOMETRY" "$MORVEX_RUN_DRAWING" &
  cad_pid=$!
  sleep "$MORVEX_RUN_CAD_START"
  if ! kill -0 "$cad_pid" 2>/dev/null; then
    wait "$cad_pid" && status=0 || status=$?
    echo "morvex run: the stand-in CAD did not start (it ended with status $status; its message above says why)." >&2
    return 3
  fi
  "$MORVEX_RUN_TOOL" &
  tool_pid=$!
  sleep "$MORVEX_RUN_TOOL_START"
  if ! kill -0 "$tool_pid" 2>/dev/null; then
    wait "$tool_pid" && status=0 || status=$?
    if [ "$status" -eq 0 ]; then
      echo "morvex run: the tool ended at once: another copy of Morvex runs already (it keeps to one copy per user)." >&2
    elif [ "$status" -gt 128 ]; then
      echo "morvex run: the tool crashed at its start (signal $((status - 128)))." >&2
    else
      echo "morvex run: the tool did not start (it ended with status $status)." >&2
    fi
    kill "$cad_pid" 2>/dev/null || true
    wait "$cad_pid" 2>/dev/null || true
    return 4
  fi
  "$@" "$tool_pid" || status=$?
  kill "$tool_pid" "$cad_pid" 2>/dev/null || true
  wait "$tool_pid" "$cad_pid" 2>/dev/null || true
  return "$status"
}

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  # The stand-in's window on the left of the screen; the tool places its own
  # window (centred on a first start). The run lasts until the tool closes.
  export MORVEX_RUN_GEOMETRY="960x760+0+0"
  wait_for_tool() { wait "$1"; }
  run_both wait_for_tool
  exit $?
fi

echo "No display here: starting the stand-in CAD and the tool under Xvfb instead."
screenshot="${MORVEX_SCREENSHOT:-$build/morvex-screenshot.png}"
rm -f "$screenshot"
# A wide screen, so that the tool's centred window stands beside the CAD's.
export MORVEX_RUN_GEOMETRY="920x760+0+40" MORVEX_RUN_SCREENSHOT="$screenshot"
# The screenshot, once both run; the tool must still run after it.
grab() {
  if ! "$MORVEX_RUN_GRAB" --wait 30 "$MORVEX_RUN_SCREENSHOT"; then
    echo "morvex run: no screenshot of the two programs." >&2
    return 5
  fi
  if ! kill -0 "$1" 2>/dev/null; then
    echo "morvex run: the tool ended while the screenshot was taken." >&2
    return 4
  fi
}
status=0
# xvfb-run is a sh script: the functions go in as text, not exported.
xvfb-run -a -s "-screen 0 2240x900x24" bash -c "$(declare -f run_both grab); run_both grab" || status=$?
if [ "$status" -ne 0 ]; then
  rm -f "$screenshot"
  exit "$status"
fi
echo "Screenshot of the stand-in CAD and the tool: $screenshot"
