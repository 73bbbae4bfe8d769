#!/bin/sh
# Headless screenshots of the generated artwork in play: the loading screen,
# the menu and the first playing frames of the four episodes.
#   tools/assetgen/screenshots.sh BUILD_DIR OUT_DIR
# Records that unlock every episode go into a scratch score folder.
set -eu
build=$(cd "${1:?usage: screenshots.sh BUILD_DIR OUT_DIR}" && pwd)
mkdir -p "${2:?usage: screenshots.sh BUILD_DIR OUT_DIR}"
out=$(cd "$2" && pwd)
scores=$(mktemp -d)
trap 'rm -rf "$scores"' EXIT
# Scores at the hard thresholds, each with its check value.
printf '[game1]\nscore=200\nverify=42\n[game2]\nscore=5000\nverify=842\n[game3]\nscore=90000\nverify=15011\n' \
    > "$scores/scores.dat"
cat > "$scores/script.txt" <<SCRIPT
frames 30
shot $out/loading.png
key space
frames 5
move 600 150
frames 3
shot $out/menu.png
click
frames 10
move 400 550
frames 60
shot $out/episode1.png
key Escape
frames 5
move 600 210
frames 2
click
frames 40
down 1
frames 60
shot $out/episode2.png
up 1
key Escape
frames 5
move 600 265
frames 2
click
frames 10
move 300 300
frames 20
click
frames 8
shot $out/episode3.png
key Escape
frames 5
move 600 320
frames 2
click
frames 10
key 1
frames 10
shot $out/episode4.png
SCRIPT
cd "$build/data"
"$build/ironkeel" --headless --script "$scores/script.txt" --seed 7 --scores "$scores"
ls "$out"/*.png
