#!/usr/bin/env bash
# Builds the libraries the browser game links (SDL2, FreeType, libopenmpt,
# libpng, zlib, and the JSON library) from Debian 12's own source packages
# with Emscripten, configured to what the game uses, into a prefix in the
# dependency cache outside the clone. The prefix is keyed by the source
# versions, the compiler's version and this recipe, so a later run (from any
# clone) finds it and builds nothing. Prints the prefix.
#
#   tools/web/deps.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck source=../deps/debian-source.sh
source "$root/tools/deps/debian-source.sh"
# Debian's Emscripten finds the JavaScript parser its optimiser needs there.
export NODE_PATH=/usr/share/nodejs
jobs="${IK_JOBS:-$(nproc)}"
packages=(zlib libpng1.6 freetype libsdl2 libopenmpt nlohmann-json3)

ik_deps_enable_sources >&2
key_text="emscripten $(dpkg-query -W -f='${Version}' emscripten)"$'\n'"$(sha256sum "$0" | cut -d' ' -f1)"
for package in "${packages[@]}"; do
  key_text+=$'\n'"$package $(ik_deps_version "$package")"
done
key="$(printf '%s' "$key_text" | sha256sum | cut -c1-16)"
cache="$(ik_deps_cache web)"
prefix="$cache/$key"
sources="$cache/sources"
if [ -f "$prefix/.complete" ]; then
  printf '%s\n' "$prefix"
  exit 0
fi
mkdir -p "$prefix" "$sources"
printf '%s\n' "$key_text" >"$prefix/versions.txt"
work="$(mktemp -d "$cache/work.XXXXXX")"
trap 'rm -rf "$work"' EXIT

cmake_build() {  # NAME SOURCE_DIR [CMAKE ARGS...]
  local name="$1" source="$2"
  shift 2
  emcmake cmake -S "$source" -B "$work/$name" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    -DBUILD_SHARED_LIBS=OFF "$@" >"$work/$name.log" 2>&1 ||
    { cat "$work/$name.log" >&2; return 1; }
  cmake --build "$work/$name" --parallel "$jobs" >>"$work/$name.log" 2>&1 ||
    { tail -n 60 "$work/$name.log" >&2; return 1; }
  cmake --install "$work/$name" >>"$work/$name.log" 2>&1
}

build() {  # PACKAGE: unpacks its Debian source and builds it unless done
  local package="$1" source
  if [ -f "$prefix/.done-$package" ]; then return 0; fi
  echo "web deps: $package $(ik_deps_version "$package" "$sources")" >&2
  source="$(ik_deps_unpack "$package" "$sources")"
  "build_$package" "$source"
  # What a site that bundles the library must carry: Debian's record of its
  # authors and licences.
  mkdir -p "$prefix/share/licences"
  cp "$source/debian/copyright" "$prefix/share/licences/$package.txt"
  touch "$prefix/.done-$package"
}

build_zlib() {
  # The static library alone, compiled directly, as the other libraries
  # only need its archive and its two headers; lseek is in unistd.h.
  local source="$1" file
  mkdir -p "$work/zlib" "$prefix/include" "$prefix/lib"
  for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees \
    trees uncompr zutil; do
    emcc -O2 -DZ_HAVE_UNISTD_H -c "$source/$file.c" -o "$work/zlib/$file.o"
  done
  emar rcs "$prefix/lib/libz.a" "$work"/zlib/*.o
  cp "$source/zlib.h" "$source/zconf.h" "$prefix/include/"
  mkdir -p "$prefix/lib/pkgconfig"
  printf '%s\n' "prefix=$prefix" 'libdir=${prefix}/lib' 'includedir=${prefix}/include' '' 'Name: zlib' \
    'Description: zlib compression library' "Version: $(ik_deps_version zlib "$sources" | sed 's/^[0-9]*://; s/[.+-]dfsg.*//')" \
    'Libs: -L${libdir} -lz' 'Cflags: -I${includedir}' >"$prefix/lib/pkgconfig/zlib.pc"
}

build_libpng1.6() {
  cmake_build libpng "$1" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
}

build_freetype() {
  # TrueType outlines only: no other compressor, shaper or image format.
  # Without a zlib to use, FreeType compiles a copy of its own whose symbols
  # clash with the zlib libpng links, so it takes that one.
  cmake_build freetype "$1" -DFT_REQUIRE_ZLIB=ON -DZLIB_LIBRARY="$prefix/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}

build_libsdl2() {
  # Static and without threads, so the page needs no cross-origin isolation:
  # the browser's canvas, Web Audio and events only.
  cmake_build sdl2 "$1" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_THREADS=OFF \
    -DSDL_HIDAPI=OFF -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF
}

build_libopenmpt() {
  # The library throws and catches C++ exceptions of its own. Its autotools
  # know no "emscripten" system: a bare wasm32 host makes them cross-compile.
  local source="$1"
  mkdir -p "$work/libopenmpt"
  (cd "$work/libopenmpt" &&
    emconfigure "$source/configure" --host=wasm32-unknown-none --prefix="$prefix" --enable-static \
      --disable-shared --disable-openmpt123 --disable-examples --disable-tests --disable-doxygen-doc \
      --without-zlib --without-mpg123 --without-ogg --without-vorbis --without-vorbisfile \
      --without-portaudio --without-portaudiocpp --without-pulseaudio --without-sndfile --without-flac \
      CFLAGS=-O2 CXXFLAGS="-O2 -fexceptions" LDFLAGS=-fexceptions PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" \
      >"$work/libopenmpt.log" 2>&1 &&
    emmake make -j"$jobs" >>"$work/libopenmpt.log" 2>&1 && emmake make install >>"$work/libopenmpt.log" 2>&1) ||
    { tail -n 60 "$work/libopenmpt.log" >&2; return 1; }
}

build_nlohmann-json3() {
  cmake_build nlohmann-json "$1" -DJSON_BuildTests=OFF -DJSON_Install=ON
}

for package in "${packages[@]}"; do
  build "$package"
done
touch "$prefix/.complete"
printf '%s\n' "$prefix"
