#!/usr/bin/env bash
# Installs the Debian 12 packages the browser build and its tests need besides
# the Linux build's own (tools/install-deps.sh): Emscripten and the JavaScript
# parser its optimiser needs, Node to run the program and the tests, Chromium
# to test the page in. Installs only what is missing.
set -euo pipefail

packages=(
  # the compiler, and the parser its optimiser loads from NODE_PATH
  emscripten node-acorn nodejs
  # the dependencies' sources (apt-get source) and their builds
  dpkg-dev make
  # the Liberation faces the site carries
  fonts-liberation
  # the browser the page is tested in
  chromium
)

# A Node.js from elsewhere (NodeSource's) carries npm and conflicts with
# Debian's npm package: npm is installed only when no npm runs.
if ! command -v npm >/dev/null; then
  packages+=(npm)
fi

"$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../deps/install-missing.sh" "${packages[@]}"
