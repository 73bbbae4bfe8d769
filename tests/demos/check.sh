#!/bin/sh
# One demo as CTest runs it: the recording must replay as recorded and end
# in the expected final state and last frame. Any difference fails.
#   tests/demos/check.sh IRONKEEL DATA_DIR DEMO_DIR NAME
# IK_EMULATOR runs a game built for another system (wine64 for Windows).
set -eu
ironkeel=$1 data=$2 demos=$3 name=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for file in "$name.ikr" "$name.state.json" "$name.frame.sha256"; do
    [ -f "$demos/$file" ] || { echo "missing $demos/$file (run tests/demos/record.sh)"; exit 1; }
done
status=0
# A folder of its own: the music player writes "~temp.xm" into the working
# folder, which games run side by side by CTest must not share.
mkdir "$work/data"
ln -s "$data"/*.dat "$data"/*.png "$work/data/"
# shellcheck disable=SC2086
(cd "$work/data" && ${IK_EMULATOR:-} "$ironkeel" --verify "$demos/$name.ikr" --final-state "$work/state.json") >"$work/verify.txt" || status=$?
# Windows ends its console lines with CR LF.
tr -d '\r' <"$work/verify.txt" >"$work/verify.lf" && mv "$work/verify.lf" "$work/verify.txt"
cat "$work/verify.txt"
[ "$status" -eq 0 ] || { echo "$name: the replay did not end as recorded"; exit 1; }
if ! diff -u "$demos/$name.state.json" "$work/state.json"; then
    echo "$name: the final state differs from $name.state.json"
    exit 1
fi
if [ "$(sed -n 's/^last frame: //p' "$work/verify.txt")" != "$(cat "$demos/$name.frame.sha256")" ]; then
    echo "$name: the last frame differs from $name.frame.sha256"
    exit 1
fi
