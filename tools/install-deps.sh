#!/usr/bin/env bash
# Installs the Debian 12 packages that building, playing and testing need.
# Installs only what is missing, so a second run does nothing and needs no network.
set -euo pipefail

packages=(
  # build tools
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  # the format check (tools/check-format.sh)
  clang-format
  # window, events, audio devices, message boxes; X11 for what SDL does not tell
  libsdl2-dev libx11-dev
  # text
  libfreetype-dev libfontconfig-dev fonts-liberation
  # the translations: xgettext, msgmerge, msgfmt (po/)
  gettext
  # screenshots
  libpng-dev
  # state dumps and tool output
  nlohmann-json3-dev
  # music decoding inside the stand-in audio library
  libopenmpt-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # checksums of decoded pictures in the bitmap tests
  libssl-dev
  # the install tree and the Debian package: dependencies, validators, manual pages
  dpkg-dev file desktop-file-utils appstream lintian man-db
  # the game in a real X window; SDL's message boxes there need a font that
  # the X server itself serves, indexed by the font folder tools with the X
  # font encodings: Xvfb alone brings none of them
  xvfb xdotool xfonts-encodings xfonts-utils fonts-urw-base35
)

"$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/deps/install-missing.sh" "${packages[@]}"
