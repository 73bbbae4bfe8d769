#!/bin/sh
# Writes the deep episode demos again: the bot plays each episode in-process
# and writes its play script into tests/demos/; the binary then runs that
# script and must end in the very state the bot saw, and record.sh records it.
#   tools/demo-bot/make-demos.sh BUILD_DIR [NAME...]
# With --check nothing is written: the bot must write NAME.play as it is in
# tests/demos/, and the binary must agree with the bot (CTest's DemoBot.NAME).
#   tools/demo-bot/make-demos.sh --check BUILD_DIR NAME...
set -eu
check=false
[ "$1" = --check ] && { check=true; shift; }
root=$(cd "$(dirname "$0")/../.." && pwd)
demos=$root/tests/demos
build=$(cd "$1" && pwd)
shift
start=10:00:00.000  # record.sh's
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The data files in a folder of this run's own: the music player writes
# "~temp.xm" into the working folder, which runs side by side must not share.
mkdir "$work/data"
ln -s "$build"/data/*.dat "$build"/data/*.png "$work/data/"

# NAME EPISODE SEED RECORDS
demo() {
    name=$1 episode=$2 seed=$3 records=$4
    play=$demos/$name.play
    $check && play=$work/$name.play
    rm -rf "$work/bot" "$work/game" && mkdir "$work/bot" "$work/game"
    if [ "$records" = unlocked ]; then
        cp "$demos/unlocked.scores.dat" "$work/bot/scores.dat"
        cp "$demos/unlocked.scores.dat" "$work/game/scores.dat"
    fi
    (cd "$work/data" && "$build/demo-bot" "$episode" "$play" "$work/bot.json" --records "$records" \
        --seed "$seed" --start-time "$start" --scores "$work/bot")
    { cat "$play"; echo "state $work/game.json"; } >"$work/check.play"
    (cd "$work/data" && "$build/ironkeel" --headless --script "$work/check.play" --seed "$seed" \
        --start-time "$start" --scores "$work/game")
    if ! diff -u "$work/bot.json" "$work/game.json"; then
        echo "$name: the binary's run of the script ended elsewhere than the bot's" >&2
        exit 1
    fi
    if $check; then
        if ! diff -u "$demos/$name.play" "$play"; then
            echo "$name: the bot no longer plays $name.play (run tools/demo-bot/make-demos.sh)" >&2
            exit 1
        fi
    else
        "$demos/record.sh" "$build" "$name"
    fi
}

[ $# -gt 0 ] || set -- episode1-bonuses-and-penalty episode2-level10 episode3-level-ups episode4-code24
for name in "$@"; do
    case $name in
        episode1-bonuses-and-penalty) demo "$name" 1 7 none ;;
        episode2-level10) demo "$name" 2 11 unlocked ;;
        episode3-level-ups) demo "$name" 3 13 unlocked ;;
        episode4-code24) demo "$name" 4 17 unlocked ;;
        *) echo "make-demos.sh: no bot demo named $name" >&2; exit 2 ;;
    esac
done
