#!/bin/sh
# One contact sheet per data file: every picture, cut into its patterns, on a
# checkerboard so that the transparent colour shows as holes.
#   tools/contact-sheet.sh BUILD_DIR OUT_DIR
# Needs the build's ironkeel-dat and data/, and ImageMagick (convert, montage).
set -eu
build=${1:?usage: contact-sheet.sh BUILD_DIR OUT_DIR}
out=${2:?usage: contact-sheet.sh BUILD_DIR OUT_DIR}
tool="$build/ironkeel-dat"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

field() { # field NAME JSON-LINE
    printf '%s\n' "$2" | sed -n "s/.*\"$1\":\\(\"[^\"]*\"\\|[^,}]*\\).*/\\1/p" | tr -d '"'
}

for file in general series1 series2 series3 series4; do
    dat="$build/data/$file.dat"
    mkdir -p "$work/$file/raw" "$work/$file/tiles"
    "$tool" extract "$dat" "$work/$file/raw" >/dev/null
    "$tool" list "$dat" | while IFS= read -r item; do
        index=$(printf '%03d' "$(field index "$item")")
        name=$(field name "$item")
        pw=$(field pattern_width "$item"); ph=$(field pattern_height "$item")
        [ "$pw" -gt 0 ] || pw=$(field width "$item")
        [ "$ph" -gt 0 ] || ph=$(field height "$item")
        count=$(field patterns "$item")
        src="$work/$file/raw/$index-$name.png"
        if [ "$(field transparent "$item")" = true ]; then
            key=$(field transparent_color "$item")
            hex=$(printf '#%02X%02X%02X' $((key & 255)) $(((key >> 8) & 255)) $(((key >> 16) & 255)))
            convert "$src" -fuzz 2% -transparent "$hex" "$work/keyed.png"
        else
            cp "$src" "$work/keyed.png"
        fi
        convert "$work/keyed.png" -crop "${pw}x${ph}" +repage "$work/$file/tiles/$index-%03d.png"
        i=0
        for tile in "$work/$file/tiles/$index"-*.png; do
            if [ "$i" -lt "$count" ]; then
                convert "$tile" -set label "$name #$i" "$work/$file/tiles/labelled-$index-$(printf '%03d' $i).png"
            fi
            rm "$tile"
            i=$((i + 1))
        done
    done
    montage "$work/$file/tiles"/labelled-*.png -geometry '+6+6>' -tile 6x -texture pattern:checkerboard \
        -pointsize 11 "$out/$file.png"
    echo "$out/$file.png"
done
