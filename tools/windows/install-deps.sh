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

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
