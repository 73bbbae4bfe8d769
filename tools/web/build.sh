#!/usr/bin/env bash
# The browser build, from a plain clone on Debian 12: installs what it needs,
# builds the dependencies from Debian's sources (once; tools/web/deps.sh),
# compiles the game with Emscripten into BUILD_DIR and writes BUILD_DIR/site,
# a folder any static web server can serve as it is.
#
#   tools/web/build.sh BUILD_DIR [HOST_BUILD]
#
# HOST_BUILD is a native build of this tree whose data files the page takes
# (they are the same bytes); without it the data generator is built for this
# machine in BUILD_DIR/host first.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [ $# -lt 1 ]; then
  echo "usage: tools/web/build.sh BUILD_DIR [HOST_BUILD]" >&2
  exit 2
fi
build="$(mkdir -p "$1" && cd "$1" && pwd)"
jobs="${IK_JOBS:-$(nproc)}"
export NODE_PATH=/usr/share/nodejs
# Debian's Emscripten with Debian's Python: a Python version manager's shim
# in PATH (pyenv) adds most of a second to each of the thousands of compiler
# runs the dependencies' configure checks make.
export EMSDK_PYTHON=/usr/bin/python3

"$root/tools/install-deps.sh"
"$root/tools/web/install-deps.sh"

if [ $# -ge 2 ]; then
  host="$(cd "$2" && pwd)"
else
  host="$build/host"
  echo "== the data files, from a build for this machine ($host)"
  cmake -S "$root" -B "$host" -G Ninja -DIK_TESTS=OFF -DIK_BENCH=OFF >/dev/null
  cmake --build "$host" --parallel "$jobs" --target game_data
fi

echo "== the dependencies, from Debian's sources"
# One dependency build at a time on the machine: the Windows build's takes
# the same lock, and two side by side starve each other.
prefix="$(flock /tmp/ironkeel-deps.lock nice "$root/tools/web/deps.sh")"
echo "   $prefix"

echo "== the game for the browser ($build)"
# CMake keeps what pkg-config said about the libraries: a new prefix (a new
# Debian version or recipe) needs a configuration of its own.
if [ "$(cat "$build/deps-prefix.txt" 2>/dev/null)" != "$prefix" ]; then
  rm -f "$build/CMakeCache.txt"
  printf '%s\n' "$prefix" >"$build/deps-prefix.txt"
fi
# The libraries' pkg-config files and CMake packages are in the prefix;
# Emscripten's toolchain otherwise searches its own system root only.
EM_PKG_CONFIG_PATH="$prefix/lib/pkgconfig" emcmake cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DIK_WERROR=ON -DIK_TESTS=OFF -DIK_BENCH=OFF -DCMAKE_CXX_FLAGS=-fexceptions \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" -DIK_WEB_DATA_DIR="$host/data" >/dev/null
cmake --build "$build" --parallel "$jobs" --target site
echo "site: $build/site"
