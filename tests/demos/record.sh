#!/bin/sh
# Re-records every demo from its play script and rewrites its expected
# results (run it after a change that alters the rules or the data files, and
# say why in the same commit).
#   tests/demos/record.sh BUILD_DIR [NAME...]
# Each NAME.play is a headless script, played by the headless runner with the
# seed and the starting records named in its "# seed N" and "# scores
# none|unlocked" lines, in the language of its "# language CODE" line (Czech
# without one); the run is recorded into NAME.ikr, then replayed with
# --verify, which writes NAME.state.json (the final state) and
# NAME.frame.sha256 (the SHA-256 of the last frame).
set -eu
demos=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
shift
[ $# -gt 0 ] || set -- $(cd "$demos" && ls *.play | sed 's/\.play$//')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for name in "$@"; do
    play="$demos/$name.play"
    seed=$(sed -n 's/^# seed //p' "$play")
    scores=$(sed -n 's/^# scores //p' "$play")
    language=$(sed -n 's/^# language //p' "$play")
    rm -rf "$work/scores" && mkdir "$work/scores"
    [ "$scores" = unlocked ] && cp "$demos/unlocked.scores.dat" "$work/scores/scores.dat"
    (cd "$build/data" && "$build/ironkeel" --headless --script "$play" --seed "$seed" \
        --start-time 10:00:00.000 --scores "$work/scores" --language "${language:-cs}" --record "$demos/$name.ikr")
    (cd "$build/data" && "$build/ironkeel" --verify "$demos/$name.ikr" --final-state "$demos/$name.state.json") \
        >"$work/verify.txt"
    sed -n 's/^last frame: //p' "$work/verify.txt" >"$demos/$name.frame.sha256"
    echo "$name: $(grep -E '^(episode|score|play time)' "$work/verify.txt" | tr '\n' ' ')"
done
