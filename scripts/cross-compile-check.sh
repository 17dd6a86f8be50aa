#!/usr/bin/env bash
# Compiles the plain C++ parts (the CAD link and the string routines) with
# mingw-w64, compile only, so that the Windows build finds them ready: a Qt
# include or a POSIX-only call there fails this check.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cxx=x86_64-w64-mingw32-g++-posix
if ! command -v "$cxx" >/dev/null; then
  echo "$cxx is missing (Debian package g++-mingw-w64-x86-64-posix)" >&2
  exit 1
fi
shopt -s nullglob
sources=("$top"/src/cad/*.cpp "$top"/src/cad/memory/*.cpp "$top"/src/transform/*.cpp)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
status=0
for f in "${sources[@]}"; do
  if ! "$cxx" -std=c++20 -Wall -Wextra -Werror -I"$top/src" -c "$f" -o "$out/$(basename "$f").o"; then
    echo "FAILED: ${f#$top/}"
    status=1
  fi
done
echo "cross-compiled ${#sources[@]} files for Windows"
exit $status
