#!/usr/bin/env bash
# Installs the Debian 12 packages a purpose needs and the machine lacks.
#   scripts/install-deps.sh run    what building and running the tool needs
#   scripts/install-deps.sh test   what building and testing everything needs
set -euo pipefail

run_packages=(cmake make g++ qt6-base-dev xvfb xauth fonts-ipafont-gothic)
test_packages=("${run_packages[@]}" libgtest-dev g++-mingw-w64-x86-64-posix python3-ezdxf)

case "${1:-}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
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
