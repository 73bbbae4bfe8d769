#!/usr/bin/env bash
# The browser build under Node replays every demo of tests/demos/ to the same
# final state and last frame as the native build: each demo goes through
# tests/demos/check.sh with the web program, and its --verify lines are shown
# beside the native program's. Any difference fails.
#   tools/web/check-demos.sh SITE_DIR NATIVE_IRONKEEL DATA_DIR
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
site="$(cd "${1:?usage: check-demos.sh SITE_DIR NATIVE_IRONKEEL DATA_DIR}" && pwd)"
native="$(realpath "${2:?}")"
data="$(cd "${3:?}" && pwd)"
export IK_WEB_SITE="$site" NODE_PATH=/usr/share/nodejs
demos="$root/tests/demos"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
count=0
for recording in "$demos"/*.ikr; do
  name=$(basename "$recording" .ikr)
  count=$((count + 1))
  if ! sh "$demos/check.sh" "$root/tools/web/ironkeel-node" "$data" "$demos" "$name" >"$work/web.txt" 2>&1; then
    failed=$((failed + 1))
    echo "== $name: FAILED in the browser build"
    cat "$work/web.txt"
    continue
  fi
  mkdir -p "$work/native-$name"
  ln -s "$data"/*.dat "$data"/*.png "$work/native-$name/"
  (cd "$work/native-$name" && "$native" --verify "$recording") >"$work/native.txt" 2>&1 || true
  echo "== $name (web | native)"
  paste -d '|' <(grep -E '^[a-z ]+: ' "$work/web.txt") "$work/native.txt" | sed 's/|/  |  /'
  if ! diff -q <(grep -E '^[a-z ]+: ' "$work/web.txt") "$work/native.txt" >/dev/null; then
    failed=$((failed + 1))
    echo "$name: the --verify lines differ"
  fi
done
echo "$((count - failed)) of $count demos replay in the browser build as natively"
[ "$failed" -eq 0 ]
