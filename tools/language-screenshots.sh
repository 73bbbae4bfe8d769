#!/bin/sh
# Headless screenshots of every screen with words, once in each language the
# game speaks: the loading screen, the menu (with the hint of a locked
# episode), the five pages, and each episode's first frame after its
# count-down and its game-over panel.
#   tools/language-screenshots.sh BUILD_DIR OUT_DIR
# writes OUT_DIR/cs/*.png and OUT_DIR/en/*.png, the same names side by side.
set -eu
usage="usage: language-screenshots.sh BUILD_DIR OUT_DIR"
build=$(cd "${1:?$usage}" && pwd)
mkdir -p "${2:?$usage}"
out=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
demos=$(cd "$(dirname "$0")/../tests/demos" && pwd)
for language in cs en; do
    mkdir -p "$out/$language" "$work/$language/locked" "$work/$language/unlocked"
    shots="$out/$language"
    cp "$demos/unlocked.scores.dat" "$work/$language/unlocked/scores.dat"
    # A first start: the loading screen and the menu with a locked episode's hint.
    cat > "$work/$language/first.txt" <<SCRIPT
frames 30
shot $shots/loading.png
key space
frames 5
move 600 210
frames 3
shot $shots/menu.png
SCRIPT
    script="$work/$language/all.txt"
    printf 'key space\nframes 5\n' > "$script"
    for page in 1 2 3 4 5; do
        y=$(( page == 5 ? 410 : 140 + 55 * (page - 1) ))
        printf 'move 712 %d\nclick\nframes 3\nshot %s/info%d.png\nkey Escape\nframes 3\n' "$y" "$shots" "$page" \
            >> "$script"
    done
    for episode in 1 2 3 4; do
        y=$(( 155 + 55 * (episode - 1) ))
        printf 'move 600 %d\nframes 3\nclick\nwait 1\nframes 2\nshot %s/episode%d.png\n' "$y" "$shots" "$episode" \
            >> "$script"
        printf 'down R\nframes 2\nup R\nwait 100\nframes 2\nshot %s/episode%d-over.png\nkey Return\nframes 5\n' \
            "$shots" "$episode" >> "$script"
    done
    (cd "$build/data" &&
        "$build/ironkeel" --headless --language "$language" --script "$work/$language/first.txt" --seed 7 \
            --scores "$work/$language/locked" &&
        "$build/ironkeel" --headless --language "$language" --script "$script" --seed 7 \
            --scores "$work/$language/unlocked")
done
echo "$out/cs and $out/en"
