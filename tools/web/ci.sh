#!/usr/bin/env bash
# The browser build's stage of continuous integration: builds the site from
# Debian's sources (tools/web/build.sh), replays every demo with the web
# program under Node beside the native build (check-demos.sh), then tests the
# page in Debian's Chromium (test-page.js).
#
#   tools/web/ci.sh NATIVE_BUILD [WEB_BUILD]
#
# NATIVE_BUILD is a built native build of this tree (its ironkeel and data/);
# WEB_BUILD defaults to build-web beside it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [ $# -lt 1 ]; then
  echo "usage: tools/web/ci.sh NATIVE_BUILD [WEB_BUILD]" >&2
  exit 2
fi
native="$(cd "$1" && pwd)"
web="${2:-$(dirname "$native")/build-web}"

"$root/tools/web/build.sh" "$web" "$native"

echo "== the demos, by the web program under Node and natively"
"$root/tools/web/check-demos.sh" "$web/site" "$native/ironkeel" "$native/data"

echo "== the page in Chromium"
(cd "$root/tools/web" && npm ci --no-audit --no-fund --loglevel=error)
node "$root/tools/web/test-page.js" "$web/site" "$native/ironkeel" "$native/data"
