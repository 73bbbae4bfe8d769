#!/usr/bin/env bash
# Installs the Debian 12 packages the browser build and its tests need; only
# what is missing, so a second run needs no network.
set -euo pipefail

packages=(
  # the compiler, and the JavaScript parser its optimiser needs
  emscripten node-acorn nodejs
  # the Liberation faces the site carries
  fonts-liberation
  # the browser the page is tested in
  chromium
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  sudo apt-get install -y --no-install-recommends "${missing[@]}"
else
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
