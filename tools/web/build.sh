#!/usr/bin/env bash
# Builds the browser version of the game into BUILD_DIR/site, a folder any
# static web server can serve as it is: installs Emscripten from Debian,
# builds the libraries from Debian's source packages once (tools/web/build-deps.sh,
# reused by later runs), takes the data files from a native build, then
# builds the game and its page.
#   tools/web/build.sh BUILD_DIR
# IK_WEB_NATIVE_BUILD names a native build folder whose data files to use
# (default: BUILD_DIR/native, where only the data files are built).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:?usage: tools/web/build.sh BUILD_DIR}"
mkdir -p "$build"
build="$(cd "$build" && pwd)"
jobs="${IK_JOBS:-$(nproc)}"

"$root/tools/web/install-deps.sh"
export NODE_PATH=/usr/share/nodejs
prefix="$("$root/tools/web/build-deps.sh")"

native="${IK_WEB_NATIVE_BUILD:-$build/native}"
if [ ! -f "$native/CMakeCache.txt" ]; then
  "$root/tools/install-deps.sh"
  cmake -S "$root" -B "$native" -G Ninja -DIK_WERROR=ON -DIK_TESTS=OFF -DIK_BENCH=OFF >/dev/null
fi
nice cmake --build "$native" --parallel "$jobs" --target game_data

EM_PKG_CONFIG_PATH="$prefix/lib/pkgconfig" emcmake cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DIK_WERROR=ON -DIK_TESTS=OFF -DIK_BENCH=OFF \
  -DCMAKE_CXX_FLAGS=-fexceptions -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
  -DIK_WEB_DATA_DIR="$native/data" >/dev/null
nice cmake --build "$build" --parallel "$jobs" --target site
echo "site: $build/site"
