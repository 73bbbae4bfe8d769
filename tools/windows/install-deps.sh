#!/usr/bin/env bash
# Installs the Debian 12 packages the Windows build needs besides the Linux
# build's own (tools/install-deps.sh): the MinGW-w64 cross compiler, Wine to
# run the tests, NSIS for the installer, icoutils for the icon, and openbox
# for the window test. Installs only what is missing.
set -euo pipefail

packages=(
  # the cross compiler (POSIX threads, for std::thread) and its binutils
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  # the dependencies' sources (apt-get source) and their builds
  dpkg-dev make
  # the tests under Wine, the window test on Xvfb under a window manager
  wine wine64 xvfb xdotool openbox
  # the icon resource, the installer
  icoutils nsis
  # the Liberation fonts shipped beside the game
  fonts-liberation
)

"$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../deps/install-missing.sh" "${packages[@]}"
