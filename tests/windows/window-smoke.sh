#!/usr/bin/env bash
# The Windows game in a window under Wine, on Xvfb with a window manager,
# played as a player would with xdotool: the menu shows, a click on episode 1
# starts it, Escape leaves it, and a click on the quit button ends the
# program with the record of the game stored. Every wait is for something to
# happen; the deadline only stops a broken build from hanging CI.
#
#   tests/windows/window-smoke.sh IRONKEEL_EXE DATA_DIR [SCREENSHOT.xwd]
#
# Needs xvfb, openbox and xdotool (tools/windows/install-deps.sh); Wine is
# $IK_EMULATOR, else /usr/lib/wine/wine64, in $WINEPREFIX when set.
set -euo pipefail
game="$1" data="$2" screenshot="${3:-}"
wine="${IK_EMULATOR:-/usr/lib/wine/wine64}"
work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

deadline=$((SECONDS + 180))
# Runs the command until it succeeds; fails the test at the deadline.
eventually() {
  until "$@"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "window-smoke: gave up waiting for: $*" >&2
      return 1
    fi
    sleep 0.2
  done
}

mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -fbdir "$work" 3>"$work/displayfd" 2>/dev/null &
pids+=($!)
read -r number <"$work/displayfd"
export DISPLAY=":$number"
openbox >/dev/null 2>&1 &
pids+=($!)

mkdir "$work/data" "$work/scores"
ln -s "$data"/*.dat "$data"/*.png "$work/data/"
# No sound device in CI: SDL's disk driver plays into the void, so no box
# interrupts the run.
(cd "$work/data" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=NUL WINEDEBUG=-all \
  "$wine" "$game" --window --scale 1 --scores "$work/scores" >"$work/out.txt" 2>"$work/err.txt") &
game_pid=$!
pids+=("$game_pid")

window=""
find_window() {
  window="$(xdotool search --onlyvisible --name Ironkeel 2>/dev/null | head -n 1)"
  [ -n "$window" ]
}
# Clicks at (x, y) of the 800 x 600 picture in the window.
click() {
  find_window && xdotool windowactivate --sync "$window" mousemove --window "$window" "$1" "$2" click 1 2>/dev/null
}
eventually find_window
echo "window-smoke: the window is up"

# Return leaves the loading screen; a click on episode 1's button on the menu
# starts it. Both are sent until the game runs, which shows by the pointer:
# while an episode is in play it is kept in the window, so a move to the
# screen's corner stops at the window's edge.
printf '[game1]\nscore=5\nverify=5\n' >"$work/scores/scores.dat"
in_play() {
  find_window && xdotool windowactivate --sync "$window" key Return 2>/dev/null
  click 600 155
  xdotool mousemove 0 0 2>/dev/null
  ! xdotool getmouselocation 2>/dev/null | grep -q '^x:0 y:0 '
}
eventually in_play
echo "window-smoke: the menu showed, a click started episode 1"

# Escape leaves the game: its record is stored (a broken record gives way to
# any score, even the 0 of a game just begun).
xdotool key --window "$window" Escape
record_stored() { ! grep -q '^verify=5' "$work/scores/scores.dat"; }
eventually record_stored
grep -A2 '^\[game1\]' "$work/scores/scores.dat"
# The screen as Xvfb keeps it (XWD), with the menu back in the window.
if [ -n "$screenshot" ]; then cp "$work/Xvfb_screen0" "$screenshot"; fi

# Back on the menu: the quit button ends the program, with status 0.
ended() { click 600 425; ! kill -0 "$game_pid" 2>/dev/null; }
eventually ended
status=0
wait "$game_pid" || status=$?
cat "$work/err.txt" >&2
[ "$status" -eq 0 ] || { echo "window-smoke: the game ended with status $status" >&2; exit 1; }
grep -q '^\[game1\]' "$work/scores/scores.dat"
echo "window-smoke: the quit button ended the game; the record is kept"
