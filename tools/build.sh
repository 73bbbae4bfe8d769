#!/usr/bin/env bash
# Installs what is missing, then configures and builds build/ with Ninja
# (the project's default optimised build with debug information, warnings as
# errors). Extra arguments go to the configure step.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DIK_WERROR=ON "$@"
cmake --build "$root/build" --parallel "${IK_JOBS:-$(nproc)}"
