#!/bin/sh
# The contact sheet for the ear: the music and every screen's stretch (twice
# round, to show the seam) and every sound effect, rendered to WAV by the
# game's own decoder and effects conversion, with a spectrogram per stretch and
# the loudness, peak, DC and stereo-correlation figures in figures.txt.
#   tools/sound-sheet.sh BUILD_DIR OUT_DIR
# Needs the build's ironkeel-soundcheck (target of the same name), data/ and
# libtrackaudio.so, and sox for the spectrograms (Debian package "sox"); the
# figures come without it.
set -eu
build=${1:?usage: sound-sheet.sh BUILD_DIR OUT_DIR}
out=${2:?usage: sound-sheet.sh BUILD_DIR OUT_DIR}
tool="$build/ironkeel-soundcheck"
mkdir -p "$out"
{
    "$tool" music "$build/data/music.dat" "$out"
    "$tool" waves "$build/data/waves.dat" "$out"
} | tee "$out/figures.txt"
if command -v sox >/dev/null 2>&1; then
    for wav in "$out"/stretch-*.wav; do
        name=$(basename "$wav" .wav)
        sox "$wav" -n spectrogram -x 1200 -y 257 -z 90 -t "$name, twice round" -o "$out/$name.png"
        echo "$out/$name.png"
    done
else
    echo "sox is not installed: no spectrograms" >&2
fi
