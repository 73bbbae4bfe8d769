#!/bin/bash
# The contact sheet for the ear: the music and every screen's stretch (twice
# round, to show the seam) and every sound effect, rendered to WAV by the
# game's own decoder and effects conversion, with a spectrogram per stretch and
# the loudness, peak, DC and stereo-correlation figures in figures.txt.
#   tools/sound-sheet.sh BUILD_DIR OUT_DIR [PLAY_SECONDS]
# With PLAY_SECONDS, each episode is then played that long by a random bot
# (mouse, clicks, digits, the crew keys in turn; a new game whenever one ends)
# in a window on a virtual X display, with SDL's disk audio driver writing what
# the effects mixer plays to OUT_DIR/play-epN.raw (16-bit stereo, 44100 Hz);
# the number of samples at the rail is added to figures.txt. The game runs from a copy
# without libtrackaudio.so beside it, so that the music stays silent and does
# not write into the same file.
# Needs the build's ironkeel-soundcheck (target of the same name), data/ and
# libtrackaudio.so; sox for the spectrograms (Debian package "sox"; the
# figures come without it); for playing, Xvfb, openbox and xdotool (packages
# "xvfb", "openbox", "xdotool").
set -eu
build=$(cd "${1:?usage: sound-sheet.sh BUILD_DIR OUT_DIR [PLAY_SECONDS]}" && pwd)
out=${2:?usage: sound-sheet.sh BUILD_DIR OUT_DIR [PLAY_SECONDS]}
play=${3:-0}
tool="$build/ironkeel-soundcheck"
mkdir -p "$out"
out=$(cd "$out" && pwd)
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
[ "$play" -gt 0 ] || exit 0

# Samples of a raw 16-bit file at either rail.
at_rail() {
    od -An -td2 -v "$1" | awk '{ for (i = 1; i <= NF; i++) if ($i >= 32767 || $i <= -32768) n++ } END { print n + 0 }'
}

play_episode() { # EPISODE
    local episode=$1 work display raw game wm xserver window deadline crew
    work=$(mktemp -d)
    raw="$out/play-ep$episode.raw"
    for file in general series1 series2 series3 series4 waves; do cp "$build/data/$file.dat" "$work/"; done
    cp "$build/ironkeel" "$work/"
    # Records that open every episode.
    printf '[game1]\nscore=200\nverify=42\n[game2]\nscore=5000\nverify=842\n[game3]\nscore=90000\nverify=15011\n' \
        >"$work/scores.dat"
    display=:$((70 + episode))
    Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
    xserver=$!
    sleep 1
    DISPLAY=$display openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    (cd "$work" && DISPLAY=$display SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$raw" \
        ./ironkeel --window --scores "$work" >"$work/log.txt" 2>&1) &
    game=$!
    export DISPLAY=$display
    sleep 3
    xdotool key Return  # the message about the missing music library
    sleep 1
    window=$(xdotool search --name . 2>/dev/null | tail -1)
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    restart() { # leave a game-over panel or the loading screen, then press the episode's button
        xdotool key --window "$window" Return
        sleep 0.3
        xdotool mousemove --window "$window" 600 $((155 + 55 * (episode - 1))) click 1
    }
    restart
    deadline=$((SECONDS + play))
    local next=$((SECONDS + 8))
    while [ $SECONDS -lt $deadline ]; do
        xdotool mousemove --window "$window" $((60 + RANDOM % 680)) $((120 + RANDOM % 420))
        [ $((RANDOM % 3)) -ne 0 ] || xdotool click 1
        [ "$episode" -ne 4 ] || xdotool type --delay 20 "$((RANDOM % 10))"
        if [ "$episode" -eq 2 ]; then # push the three crew in turn
            crew=$((1 + SECONDS % 3))
            xdotool keydown --window "$window" "$crew"
            sleep 0.8
            xdotool keyup --window "$window" "$crew"
        fi
        sleep 0.05
        if [ $SECONDS -ge $next ]; then
            restart
            next=$((SECONDS + 8))
        fi
    done
    kill "$game" 2>/dev/null || true
    wait "$game" 2>/dev/null || true
    kill "$wm" "$xserver" 2>/dev/null || true
    unset DISPLAY
    rm -rf "$work"
    printf 'episode %d played %d s: %d samples of effects, %d at the rail\n' "$episode" "$play" \
        $(($(stat -c %s "$raw") / 2)) "$(at_rail "$raw")" | tee -a "$out/figures.txt"
}

for episode in 1 2 3 4; do play_episode "$episode"; done
