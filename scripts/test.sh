#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole suite
# headless: the Linux build (its run includes the Windows COM layer, built
# with mingw-w64 and tested under Wine), then the Windows build of the whole
# tool when the Qt for Windows is in the machine's cache.
#
#   scripts/test.sh              the whole suite
#   scripts/test.sh --sanitize   the Linux suite built with AddressSanitizer
#                                and UndefinedBehaviorSanitizer (in build-sanitize/)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${MORVEX_BUILD_DIR:-$top/build}"
bash "$top/scripts/install-deps.sh" test

if [ "${1:-}" = "--sanitize" ]; then
  build="$top/build-sanitize"
  flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  MORVEX_BUILD_DIR="$build" bash "$top/scripts/build.sh" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DMORVEX_MINGW_CXX=MORVEX_MINGW_CXX-NOTFOUND
  cd "$build"
  export QT_QPA_PLATFORM=offscreen
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0"
  export LSAN_OPTIONS="suppressions=$top/scripts/sanitize/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  exec ctest --output-on-failure -j2 --timeout 900
fi
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
