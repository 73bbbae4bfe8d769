#!/usr/bin/env bash
# The whole-process benchmarks of the game, each run side by side with the
# same figure of a second build when one is given (an older commit built in
# another folder), so that ratios come from one run on one machine load:
#   tools/bench.sh BUILD [BASELINE_BUILD]
#
#   start     start to the first frame (headless, `frames 1` then `quit`)
#             against a start that quits at once
#   loading   processor time of the loading screen and of the menu in a
#             window (Xvfb), 10 s each
#   verify    --verify of tests/demos/episode2-level10.ikr (3:16 of play)
#   frames    episodes_bench: one frame of each episode against clearing and
#             presenting an empty one
#
# IK_BENCH_ONLY="start verify" runs some of them. Needs hyperfine; the window
# part also Xvfb and xdotool (tools/install-deps.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[ $# -ge 1 ] || { echo "usage: $0 BUILD [BASELINE_BUILD]" >&2; exit 2; }
builds=("$(cd "$1" && pwd)")
[ $# -ge 2 ] && builds+=("$(cd "$2" && pwd)")
only="${IK_BENCH_ONLY:-start loading verify frames}"
command -v hyperfine >/dev/null || { echo "bench: needs hyperfine (apt-get install hyperfine)" >&2; exit 1; }

work="$(mktemp -d)"
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# One folder of data links per build: the music player writes its temporary
# copy into the working folder.
label() { [ "$1" = "${builds[0]}" ] && echo "this" || echo "baseline"; }
for build in "${builds[@]}"; do
  mkdir -p "$work/$(label "$build")"
  ln -s "$build"/data/*.dat "$build"/data/*.png "$work/$(label "$build")/"
done
printf 'frames 1\nquit\n' >"$work/first-frame.txt"
printf 'quit\n' >"$work/quit.txt"

wants() { [[ " $only " == *" $1 "* ]]; }

if wants start; then
  echo "== start to the first frame (headless) =="
  args=()
  for build in "${builds[@]}"; do
    l="$(label "$build")"
    args+=(-n "$l: frames 1, quit" "cd $work/$l && $build/ironkeel --headless --script $work/first-frame.txt")
    args+=(-n "$l: quit" "cd $work/$l && $build/ironkeel --headless --script $work/quit.txt")
  done
  hyperfine --warmup 3 --runs 30 "${args[@]}"
fi

if wants verify; then
  echo "== --verify of episode2-level10.ikr (3:16 of play: real time / mean = times real time) =="
  args=()
  for build in "${builds[@]}"; do
    l="$(label "$build")"
    args+=(-n "$l: --verify" "cd $work/$l && $build/ironkeel --verify $root/tests/demos/episode2-level10.ikr")
  done
  hyperfine --warmup 1 --runs 10 "${args[@]}"
fi

if wants loading; then
  echo "== processor time in a window for 10 s (User + System over 10 s = share of a core) =="
  for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "bench: needs $tool (tools/install-deps.sh)" >&2; exit 1; }
  done
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  server=$!
  until grep -q . "$work/display" 2>/dev/null; do
    kill -0 "$server" 2>/dev/null || { echo "bench: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
  done
  number="$(head -n 1 "$work/display")"
  export DISPLAY=":$number" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
  # The menu: the same start, then a key once the window is there.
  cat >"$work/menu.sh" <<'EOF'
#!/bin/sh
"$1" --window --scale 1 &
game=$!
xdotool search --sync --onlyvisible --name Ironkeel windowfocus --sync key space >/dev/null 2>&1
sleep 10
kill -TERM "$game"
wait "$game"
EOF
  args=()
  for build in "${builds[@]}"; do
    l="$(label "$build")"
    args+=(-n "$l: loading screen" "cd $work/$l && timeout -s TERM 10 $build/ironkeel --window --scale 1")
    args+=(-n "$l: menu" "cd $work/$l && sh $work/menu.sh $build/ironkeel")
  done
  hyperfine --runs 3 -i "${args[@]}"
fi

if wants frames; then
  echo "== one frame of each episode (episodes_bench) =="
  for build in "${builds[@]}"; do
    echo "-- $(label "$build"): $build/episodes_bench"
    (cd "$work/$(label "$build")" && "$build/episodes_bench" --benchmark_repetitions=5 \
      --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '^(Benchmark|BM_.*_(mean|median) )')
  done
fi
