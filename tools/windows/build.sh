#!/usr/bin/env bash
# The Windows build, from a plain clone on Debian 12: installs what it needs,
# builds the dependencies from Debian's sources (once; tools/windows/deps.sh),
# cross-compiles the game and its tests with MinGW-w64 into BUILD_DIR, and
# writes the packages there: ironkeel-VERSION-windows-x64.zip and
# ironkeel-VERSION-windows-x64-setup.exe.
#
#   tools/windows/build.sh BUILD_DIR [HOST_BUILD]
#
# HOST_BUILD is a native build of this tree whose data files the Windows game
# takes (they are the same bytes); without it the data generator is built for
# this machine in BUILD_DIR/host first. Extra CMake arguments: $IK_WINDOWS_CMAKE_ARGS.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [ $# -lt 1 ]; then
  echo "usage: tools/windows/build.sh BUILD_DIR [HOST_BUILD]" >&2
  exit 2
fi
build="$(mkdir -p "$1" && cd "$1" && pwd)"
jobs="${IK_JOBS:-$(nproc)}"

"$root/tools/install-deps.sh"
"$root/tools/windows/install-deps.sh"

if [ $# -ge 2 ]; then
  host="$(cd "$2" && pwd)"
else
  host="$build/host"
  echo "== the data files, from a build for this machine ($host)"
  cmake -S "$root" -B "$host" -G Ninja -DIK_TESTS=OFF -DIK_BENCH=OFF >/dev/null
  cmake --build "$host" --parallel "$jobs" --target game_data
fi

echo "== the dependencies, from Debian's sources"
prefix="$("$root/tools/windows/deps.sh")"
echo "   $prefix"

echo "== the game for Windows ($build)"
# What CMake found in an older prefix (new Debian sources make a new one) is
# forgotten, or the build would still look there.
if [ -f "$build/CMakeCache.txt" ] && ! grep -qx "IK_WINDOWS_PREFIX:[A-Z]*=$prefix" "$build/CMakeCache.txt"; then
  rm -f "$build/CMakeCache.txt"
fi
# shellcheck disable=SC2086
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/tools/windows/mingw-w64-x86_64.cmake" \
  -DIK_WINDOWS_PREFIX="$prefix" -DIK_HOST_BUILD="$host" -DIK_WERROR=ON -DIK_BENCH=OFF \
  ${IK_WINDOWS_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" --parallel "$jobs"

echo "== the packages"
"$root/tools/windows/package.sh" "$build"
