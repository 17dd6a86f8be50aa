#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole suite
# headless: the Linux build (its run includes the Windows COM layer, built
# with mingw-w64 and tested under Wine), then the Windows build of the whole
# tool when the Qt for Windows is in the machine's cache.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${MORVEX_BUILD_DIR:-$top/build}"
bash "$top/scripts/install-deps.sh" test
bash "$top/scripts/build.sh"
(
  cd "$build"
  export QT_QPA_PLATFORM=offscreen
  ctest --output-on-failure -j2 --timeout 600
)

qt_windows=$(bash "$top/scripts/windows/build-qt.sh" --where)
if [ -f "$qt_windows/.complete" ]; then
  bash "$top/scripts/build-windows.sh" --test
else
  echo "Windows build of the tool skipped: no Qt for Windows in $qt_windows (bash scripts/build-windows.sh builds it, about half an hour)."
fi
