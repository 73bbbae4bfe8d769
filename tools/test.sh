#!/usr/bin/env bash
# Builds everything and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/tools/build.sh"
ctest --test-dir "$root/build" --output-on-failure --parallel "${IK_JOBS:-$(nproc)}"
