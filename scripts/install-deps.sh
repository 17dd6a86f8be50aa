#!/usr/bin/env bash
# Installs the Debian 12 packages a purpose needs and the machine lacks.
#   scripts/install-deps.sh run    what building and running the tool needs
#   scripts/install-deps.sh test   what building and testing everything (and the benchmarks) needs
#   scripts/install-deps.sh windows  what building the tool for Windows needs
set -euo pipefail

run_packages=(cmake make g++ qt6-base-dev xvfb xauth fonts-ipafont-gothic)
# The Windows side is built with mingw-w64 and tested under Wine.
windows_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix libgtest-dev qt6-base-dev xz-utils wine64 wine)
# The fuzz targets are built with clang's libFuzzer and sanitizers.
fuzz_packages=(clang libclang-rt-14-dev)
test_packages=("${run_packages[@]}" "${windows_packages[@]}" "${fuzz_packages[@]}" python3-ezdxf libbenchmark-dev)

case "${1:-}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  windows) wanted=("${windows_packages[@]}") ;;
  *) echo "usage: $0 run|test|windows" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y --no-install-recommends "${missing[@]}"
