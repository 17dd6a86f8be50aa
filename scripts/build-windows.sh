#!/usr/bin/env bash
# Builds the tool for Windows on this Debian machine: morvex.exe, static
# (no DLLs beside it), with the COM backend, and the Windows tests.
#
# The first run builds Qt 6 for Windows from Debian's qt6-base source into a
# cache outside the checkout (half an hour or more on 2 cores; every later
# run and every checkout on the machine reuses it).
#
#   scripts/build-windows.sh          build
#   scripts/build-windows.sh --test   build, then run the Windows tests under Wine
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${MORVEX_WINDOWS_BUILD_DIR:-$top/build-windows}"

bash "$top/scripts/install-deps.sh" windows
qt=$(bash "$top/scripts/windows/build-qt.sh" | tail -n 1)

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$top/scripts/windows/mingw-toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$build" -j "${MORVEX_JOBS:-2}"
echo "morvex.exe: $build/src/app/morvex.exe"

if [ "${1:-}" = "--test" ]; then
  cd "$build"
  ctest --output-on-failure -j2 --timeout 1200
fi
