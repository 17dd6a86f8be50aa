#!/usr/bin/env bash
# scripts/start.sh tells the truth: a screenshot and status 0 when both
# programs run; when one does not start, the message says which and the
# status is not 0, and no screenshot is left behind.
#
#   startscript_test.sh BUILD_DIR
#
# Each case runs in folders of its own (runtime folder for the tool's
# one-copy lock, temporary folder for the stand-in's socket), so that
# programs running elsewhere on the machine neither disturb it nor are
# disturbed.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
cad="$build/standin/app/morvex-cad"
tool="$build/src/app/morvex"
failures=0
if ! command -v xvfb-run >/dev/null; then
  echo "Xvfb is missing (xvfb-run): the run command cannot be tried here"
  exit 77
fi

# run_case NAME EXPECTED_STATUS EXPECTED_MESSAGE [SETUP]
# SETUP runs first, in the case's folders (a program already running).
run_case() {
  local name=$1 expected_status=$2 expected_message=$3 setup=${4:-}
  local dir
  dir=$(mktemp -d)
  mkdir -p "$dir/run" "$dir/tmp"
  chmod 700 "$dir/run"
  (
    export XDG_RUNTIME_DIR="$dir/run" TMPDIR="$dir/tmp" MORVEX_BUILD_DIR="$build"
    export MORVEX_SCREENSHOT="$dir/shot.png"
    unset DISPLAY WAYLAND_DISPLAY
    before_pid=
    if [ -n "$setup" ]; then
      QT_QPA_PLATFORM=offscreen bash -c "$setup" &
      before_pid=$!
      sleep 2
    fi
    env -u QT_QPA_PLATFORM ${CASE_ENV:-} bash "$top/scripts/start.sh" >"$dir/out" 2>&1
    status=$?
    if [ -n "$before_pid" ]; then
      kill "$before_pid" 2>/dev/null
      wait "$before_pid" 2>/dev/null
    fi
    ok=1
    if [ "$status" -ne "$expected_status" ]; then
      echo "FAIL $name: status $status, expected $expected_status"; ok=0
    fi
    if ! grep -q -- "$expected_message" "$dir/out"; then
      echo "FAIL $name: no \"$expected_message\" in the output:"; sed 's/^/    /' "$dir/out"; ok=0
    fi
    if [ "$expected_status" -eq 0 ] && [ ! -s "$dir/shot.png" ]; then
      echo "FAIL $name: no screenshot"; ok=0
    fi
    if [ "$expected_status" -ne 0 ] && [ -e "$dir/shot.png" ]; then
      echo "FAIL $name: a screenshot was left behind"; ok=0
    fi
    [ "$ok" -eq 1 ] && echo "ok   $name"
    [ "$ok" -eq 1 ]
  ) || failures=$((failures + 1))
  rm -rf "$dir"
}

run_case "both programs run" 0 "Screenshot of the stand-in CAD and the tool"
run_case "another stand-in serves the ProgID" 3 "the stand-in CAD did not start" \
  "exec \"$cad\" \"$top/samples/sample-panel.dxf\""
run_case "another copy of the tool runs" 4 "another copy of Morvex runs already" "exec \"$tool\""
CASE_ENV="MORVEX_TOOL_PROGRAM=$top/tests/standin/crashingprogram.sh" \
  run_case "the tool crashes" 4 "the tool crashed at its start (signal 11)"

if [ "$failures" -ne 0 ]; then
  echo "$failures case(s) failed"
  exit 1
fi
