#!/usr/bin/env bash
# Builds a static Qt 6 (Core, Gui, Widgets, Test) for x86_64 Windows with
# mingw-w64, from the qt6-base source package of the Debian archive this
# machine already uses, into a cache folder outside the checkout.
#
# The cache is keyed by the Qt version and the configure flags, so every
# later run and every checkout on the machine reuses it. Prints the install
# prefix on the last line of standard output.
#
#   scripts/windows/build-qt.sh          build when missing, print the prefix
#   scripts/windows/build-qt.sh --where  only print the prefix (no build)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)

qt_version=6.4.2
configure_flags=(
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_accessibility=OFF
  -DFEATURE_tabletevent=OFF
  -DINPUT_openssl=no
  -DCMAKE_BUILD_TYPE=Release
)
key=$(printf '%s\n' "$qt_version" "${configure_flags[@]}" "$(cat "$top/scripts/windows/mingw-toolchain.cmake")" \
  | sha256sum | cut -c1-12)
cache_root="${MORVEX_QT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvex}"
prefix="$cache_root/qt-$qt_version-mingw-static-$key"

if [ "${1:-}" = "--where" ]; then
  echo "$prefix"
  exit 0
fi
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work="$cache_root/work-$key"
mkdir -p "$work"

# 1. The source, fetched with a private copy of the machine's source list
#    (deb-src), so the system's apt configuration stays as it is.
tarball=$(ls "$work"/src/qt6-base_"$qt_version"*.orig.tar.xz 2>/dev/null | head -n 1 || true)
if [ -z "$tarball" ]; then
  apt_dir="$work/apt"
  mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$work/src"
  for f in /etc/apt/sources.list.d/*.sources; do
    sed 's/^Types:.*/Types: deb-src/' "$f" > "$apt_dir/parts/$(basename "$f")"
  done
  apt_opts=(-o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts="$apt_dir/parts"
            -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache")
  echo "Fetching the qt6-base source ($qt_version) ..." >&2
  apt-get "${apt_opts[@]}" update -qq >&2
  (cd "$work/src" && apt-get "${apt_opts[@]}" source --download-only qt6-base >&2)
  tarball=$(ls "$work"/src/qt6-base_"$qt_version"*.orig.tar.xz 2>/dev/null | head -n 1 || true)
  if [ -z "$tarball" ]; then
    echo "The archive no longer serves qt6-base $qt_version (it has: $(ls "$work"/src/*.orig.tar.xz))" >&2
    exit 1
  fi
fi

src="$work/qtbase"
if [ ! -f "$src/CMakeLists.txt" ]; then
  echo "Unpacking $(basename "$tarball") ..." >&2
  rm -rf "$src" && mkdir -p "$src"
  tar -xf "$tarball" -C "$src" --strip-components=1
fi

# 2. Configure and build with Ninja for mingw-w64 (posix threads).
build="$work/build"
if [ ! -f "$build/build.ninja" ]; then
  echo "Configuring Qt for Windows ..." >&2
  cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$top/scripts/windows/mingw-toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${configure_flags[@]}" >"$work/configure.log" 2>&1 \
    || { tail -n 40 "$work/configure.log" >&2; exit 1; }
fi
echo "Building Qt for Windows (about 1,200 steps; half an hour or more on 2 cores) ..." >&2
ninja -C "$build" -j "${MORVEX_JOBS:-2}" >"$work/build.log" 2>&1 \
  || { tail -n 40 "$work/build.log" >&2; exit 1; }
ninja -C "$build" install >"$work/install.log" 2>&1 \
  || { tail -n 40 "$work/install.log" >&2; exit 1; }
touch "$prefix/.complete"
# The build tree is large and every later build uses the installed prefix only.
rm -rf "$build" "$src"
echo "$prefix"
