#!/usr/bin/env bash
# Builds the game and starts it on the data files the build generates.
# Arguments go to the game: tools/play.sh --window --scale 2
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/tools/build.sh"
# The game reads its data files from the working folder.
mkdir -p "$root/build/data"
cd "$root/build/data"
exec "$root/build/ironkeel" "$@"
