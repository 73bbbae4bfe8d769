#!/bin/sh
# Records a short game of episode 1 in a real window (Xvfb, input from
# xdotool), then replays it headless and compares scores.dat, the final state
# and the last frame with the recorded run's.
#   tests/demos/record-window.sh BUILD_DIR OUT_DIR
# Needs Xvfb and xdotool. Leaves OUT_DIR/window.ikr and the two runs' files.
set -eu
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
rm -rf "$out/recorded-scores" "$out/replayed-scores"
mkdir -p "$out/recorded-scores" "$out/replayed-scores"

# Xvfb picks a free display and writes its number to fd 3.
exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 >"$out/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
while [ ! -s "$out/display" ]; do sleep 0.1; done
DISPLAY=:$(cat "$out/display")
export DISPLAY

cd "$build/data"
# A sound device that writes nowhere: a machine without a sound card would
# otherwise say so in a box first.
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null "$build/ironkeel" --window --scale 1 --scores "$out/recorded-scores" --record "$out/window.ikr" \
    >"$out/game.log" 2>&1 &
game=$!
window=
while [ -z "$window" ]; do sleep 0.2; window=$(xdotool search --name Ironkeel 2>/dev/null | head -1 || true); done
sleep 2
eval "$(xdotool getwindowgeometry --shell "$window")"
at() { xdotool mousemove $((X + $1)) $((Y + $2)); }
xdotool key space
sleep 1
at 600 150; sleep 0.3; xdotool click 1   # the first episode
sleep 5                                  # its count-down
for x in 300 420 200 500 350 250 450 320 380; do at "$x" 560; sleep 0.7; done
xdotool key p; sleep 1; xdotool key p     # pause and resume
for x in 300 420 200 500 350; do at "$x" 560; sleep 0.7; done
xdotool key Escape; sleep 1.5            # leave the game: its record is stored
xdotool key Escape                       # quit from the menu
wait $game

"$build/ironkeel" --verify "$out/window.ikr" --final-state "$out/replayed.json"
"$build/ironkeel" --headless --replay "$out/window.ikr" --scores "$out/replayed-scores"
cmp "$out/recorded-scores/scores.dat" "$out/replayed-scores/scores.dat"
echo "scores.dat: the same"
