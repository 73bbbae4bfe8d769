#!/usr/bin/env bash
# Builds the game's libraries for the browser with Emscripten from Debian 12's
# own source packages (SDL2, FreeType, zlib, libpng, libopenmpt, the JSON
# library) into a prefix outside the clone, keyed by their Debian versions so
# that later runs and other clones reuse it. Prints the prefix.
#   tools/web/build-deps.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck source=tools/deps/debian-source.sh
source "$root/tools/deps/debian-source.sh"
export NODE_PATH=/usr/share/nodejs
jobs="${IK_JOBS:-$(nproc)}"

ik_deps_enable_sources
cache="$(ik_deps_cache web)"
packages=(libsdl2 freetype zlib libpng1.6 libopenmpt nlohmann-json3)
key="emscripten-$(dpkg-query -W -f='${Version}' emscripten)"
for package in "${packages[@]}"; do key="$key $package-$(ik_deps_version "$package")"; done
prefix="$cache/$(printf '%s' "$key" | sha256sum | cut -c1-16)"
if [ -f "$prefix/.complete" ]; then
  printf '%s\n' "$prefix"
  exit 0
fi
rm -rf "$prefix"
sources="$prefix/src"
mkdir -p "$sources"
echo "web dependencies: building into $prefix" >&2
# Fetched one after the other (apt holds a lock), built side by side: much of
# a build is its configure step, which keeps one core busy.
for package in "${packages[@]}"; do
  ik_deps_unpack "$package" "$sources" >/dev/null
  echo "  $package $(ik_deps_version "$package" "$sources")" >&2
done
source_of() { ik_deps_unpack "$1" "$sources"; }

emcmake_build() {
  local source="$1" build="$2"
  shift 2
  emcmake cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" "$@" &&
    nice cmake --build "$build" --parallel "$jobs" && cmake --install "$build"
}

# Emscripten's toolchain file lets CMake search its own sysroot only.
zlib=(-DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include")
build_zlib_png_freetype_json() {
  (cd "$(source_of zlib)" && CHOST=wasm32 emconfigure ./configure --static --prefix="$prefix" &&
    nice emmake make -j"$jobs" libz.a && emmake make install) &&
    emcmake_build "$(source_of libpng1.6)" "$sources/build-libpng" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
      -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF "${zlib[@]}" &&
    emcmake_build "$(source_of freetype)" "$sources/build-freetype" -DBUILD_SHARED_LIBS=OFF \
      -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
      -DFT_REQUIRE_ZLIB=ON "${zlib[@]}" &&
    emcmake_build "$(source_of nlohmann-json3)" "$sources/build-json" -DJSON_BuildTests=OFF
}

build_sdl2() {
  emcmake_build "$(source_of libsdl2)" "$sources/build-sdl2" -DSDL_SHARED=OFF -DSDL_STATIC=ON \
    -DSDL_THREADS=OFF -DSDL_TEST=OFF
}

build_libopenmpt() {
  # The library throws and catches C++ exceptions of its own.
  (cd "$(source_of libopenmpt)" && CXXFLAGS="-O2 -fexceptions" LDFLAGS=-fexceptions emconfigure ./configure --host=wasm32-unknown-none \
    --prefix="$prefix" --disable-shared --enable-static --disable-openmpt123 \
    --disable-examples --disable-tests --disable-doxygen-doc --without-zlib --without-mpg123 --without-ogg \
    --without-vorbis --without-vorbisfile --without-portaudio --without-portaudiocpp --without-sndfile \
    --without-flac --without-pulseaudio && nice emmake make -j"$jobs" && emmake make install)
}

pids=()
for part in zlib_png_freetype_json sdl2 libopenmpt; do
  "build_$part" >"$prefix/build-$part.log" 2>&1 &
  pids+=("$!")
done
failed=0
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || failed=1
done
if [ "$failed" -ne 0 ]; then
  for log in "$prefix"/build-*.log; do
    echo "web dependencies: the end of $log:" >&2
    tail -n 15 "$log" >&2
  done
  exit 1
fi
rm -rf "$sources"
touch "$prefix/.complete"
printf '%s\n' "$prefix"
