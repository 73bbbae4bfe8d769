#!/usr/bin/env bash
# Runs an installed game as a desktop launcher would, from a folder that has
# nothing to do with it, and checks that it found its data files and its audio
# library on its own: it reaches the menu, starts episode 1 with its music
# playing, and keeps its records in the user's data folder.
#   tools/check-installed.sh PATH/TO/ironkeel [FOLDER_TO_START_IN]
set -euo pipefail
game="${1:?usage: check-installed.sh PATH/TO/ironkeel [FOLDER_TO_START_IN]}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start_in="${2:-$work/elsewhere}"
mkdir -p "$start_in" "$work/home"

cat > "$work/script.txt" <<SCRIPT
frames 30
key space
frames 5
move 600 150
frames 3
click
frames 240
state $work/state.json
SCRIPT

fail() { echo "check-installed: $*" >&2; exit 1; }

status=0
(cd "$start_in" && env -u XDG_DATA_DIRS HOME="$work/home" XDG_DATA_HOME="$work/xdg" \
    "$game" --headless --script "$work/script.txt" --seed 1) > "$work/out.txt" 2>&1 || status=$?
[ "$status" -eq 0 ] || { cat "$work/out.txt" >&2; fail "the game ended with status $status"; }
[ -s "$work/state.json" ] || fail "no state was written"
grep -q '"screen": "game1"' "$work/state.json" || fail "episode 1 did not start"
grep -q '"mode": "pmPlaying"' "$work/state.json" || fail "no music is playing (audio library or music.dat not found)"
if grep -q 'MESSAGE' "$work/out.txt"; then cat "$work/out.txt" >&2; fail "the game showed a message box"; fi
[ -f "$work/xdg/ironkeel/scores.dat" ] || fail "scores.dat is not in \$XDG_DATA_HOME/ironkeel"
echo "check-installed: $game started episode 1 from $start_in with music; records in \$XDG_DATA_HOME/ironkeel"
