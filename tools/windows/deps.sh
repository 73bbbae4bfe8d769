#!/usr/bin/env bash
# Builds the libraries the Windows game links (SDL2, FreeType, libopenmpt,
# libpng, zlib, and GoogleTest and nlohmann-json for the tests) from Debian
# 12's own source packages with MinGW-w64, configured to what the game uses,
# into a prefix in the dependency cache outside the clone. The prefix is keyed
# by the source versions, the compiler's version and this recipe, so a later
# run (from any clone) finds it and builds nothing. Prints the prefix.
#
#   tools/windows/deps.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck source=../deps/debian-source.sh
source "$root/tools/deps/debian-source.sh"
jobs="${IK_JOBS:-$(nproc)}"
triple=x86_64-w64-mingw32
toolchain="$root/tools/windows/mingw-w64-x86_64.cmake"
packages=(zlib libpng1.6 freetype libsdl2 libopenmpt googletest nlohmann-json3)

ik_deps_enable_sources >&2
key_text="$("$triple-g++-posix" --version | head -n 1)"$'\n'"$(sha256sum "$0" "$toolchain" | cut -d' ' -f1)"
for package in "${packages[@]}"; do
  key_text+=$'\n'"$package $(ik_deps_version "$package")"
done
key="$(printf '%s' "$key_text" | sha256sum | cut -c1-16)"
cache="$(ik_deps_cache windows-x64)"
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
  cmake -S "$source" -B "$work/$name" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DIK_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$work/$name.log" 2>&1 ||
    { cat "$work/$name.log" >&2; return 1; }
  cmake --build "$work/$name" --parallel "$jobs" >>"$work/$name.log" 2>&1 ||
    { tail -n 60 "$work/$name.log" >&2; return 1; }
  cmake --install "$work/$name" >>"$work/$name.log" 2>&1
}

build() {  # PACKAGE: unpacks its Debian source and builds it unless done
  local package="$1" source
  if [ -f "$prefix/.done-$package" ]; then return 0; fi
  echo "windows deps: $package $(ik_deps_version "$package" "$sources")" >&2
  source="$(ik_deps_unpack "$package" "$sources")"
  "build_$package" "$source"
  # What a package that bundles the library must carry: Debian's record of
  # its authors and licences.
  mkdir -p "$prefix/share/licences"
  cp "$source/debian/copyright" "$prefix/share/licences/$package.txt"
  touch "$prefix/.done-$package"
}

build_zlib() {
  # The static library alone, compiled directly: Debian's source leaves out
  # the resource files zlib's own build wants for its DLL.
  local source="$1" file
  mkdir -p "$work/zlib" "$prefix/include" "$prefix/lib"
  for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees \
    trees uncompr zutil; do
    "$triple-gcc-posix" -O2 -c "$source/$file.c" -o "$work/zlib/$file.o"
  done
  "$triple-ar" rcs "$prefix/lib/libz.a" "$work"/zlib/*.o
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
  # TrueType outlines only: no other compressor, shaper or image format. Its
  # gzip module takes the prefix's zlib, which libpng links too, instead of a
  # second copy of zlib's functions under the same names.
  cmake_build freetype "$1" -DFT_REQUIRE_ZLIB=ON -DZLIB_LIBRARY="$prefix/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="$prefix/include" -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  # Its version resource, meant for a DLL, would clash with the game's own.
  "$triple-ar" d "$prefix/lib/libfreetype.a" ftver.rc.res
}

build_libsdl2() {
  # One SDL2.dll shared by the game and trackaudio.dll, so both talk to the
  # same audio subsystem. Only the Windows video, audio and event drivers.
  cmake_build sdl2 "$1" -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=ON \
    -DSDL_HIDAPI=OFF -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF \
    -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF -DSDL_VULKAN=OFF -DSDL_RENDER_D3D=ON -DSDL_DIRECTX=ON \
    -DSDL_WASAPI=ON -DSDL_DISKAUDIO=ON -DSDL_DUMMYAUDIO=ON -DSDL_DUMMYVIDEO=ON -DSDL_OFFSCREEN=ON
}

build_libopenmpt() {
  local source="$1"
  mkdir -p "$work/libopenmpt"
  (cd "$work/libopenmpt" &&
    "$source/configure" --host="$triple" --prefix="$prefix" --enable-static --disable-shared \
      --disable-openmpt123 --disable-examples --disable-tests --disable-doxygen-doc \
      --without-zlib --without-mpg123 --without-ogg --without-vorbis --without-vorbisfile \
      --without-portaudio --without-portaudiocpp --without-pulseaudio --without-sndfile --without-flac \
      CC="$triple-gcc-posix" CXX="$triple-g++-posix" CFLAGS=-O2 CXXFLAGS=-O2 PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" \
      >"$work/libopenmpt.log" 2>&1 &&
    make -j"$jobs" >>"$work/libopenmpt.log" 2>&1 && make install >>"$work/libopenmpt.log" 2>&1) ||
    { tail -n 60 "$work/libopenmpt.log" >&2; return 1; }
}

build_googletest() {
  cmake_build googletest "$1" -Dgtest_disable_pthreads=OFF -DINSTALL_GTEST=ON -DBUILD_GMOCK=ON
}

build_nlohmann-json3() {
  cmake_build nlohmann-json "$1" -DJSON_BuildTests=OFF -DJSON_Install=ON
}

for package in "${packages[@]}"; do
  build "$package"
done
touch "$prefix/.complete"
printf '%s\n' "$prefix"
