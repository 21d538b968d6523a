#!/usr/bin/env bash
# The CPU the real game spends on each frame it delivers while it flies the
# attack route at 640 x 480 under Xvfb: the attack recording is played into
# its window in real time (tools/bench/play_timeline.py), and a preloaded
# counter (swap_counter.c) counts the frames it swaps.
# Target: <= 6 ms of CPU per delivered frame. With `record`, the game records
# a demo of it (vexar --record), which may cost 2 % more; the demo's size is
# told too.
# usage: tools/bench/play_cpu.sh [BUILD_FOLDER] [SECONDS] [record]
set -uo pipefail
build=${1:-build}
seconds=${2:-20}
mode=${3:-play}
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$build/vexar" ] || { echo "no $build/vexar; run make build first" >&2; exit 2; }
source "$here/bench_common.sh"
export SDL_AUDIODRIVER=dummy

build_bench_helpers
start_display
copy_game "$build/vexar"
if [ "$mode" = record ]; then
    # The launcher starts the game by its path alone: a script in its place
    # becomes the game with the option (exec keeps the process).
    printf '#!/bin/sh\nexec "%s" --record "%s"\n' "$game" "$bench_work/play.demo" >"$bench_work/recording"
    chmod +x "$bench_work/recording"
    game="$bench_work/recording"
fi
start_counted_game
fly_attack_route "$seconds"
pid=$game_pid
stop_game
# Not a child of this shell: wait for it to have written the demo's end.
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done

awk -v c="$flown_cpu" -v f="$flown_swaps" -v t="$flown_seconds" -v m="$mode" 'BEGIN {
    printf "%s 640x480: %.2f ms CPU per delivered frame (%d frames, %.1f per s; target <= 6)\n",
        m == "record" ? "recording" : "playing", c * 1000 / f, f, f / t }'
if [ "$mode" = record ]; then
    frames=$(grep -oE '[0-9]+ end$' "$bench_work/play.demo" | cut -d' ' -f1)
    awk -v b="$(wc -c <"$bench_work/play.demo")" -v f="$frames" 'BEGIN {
        printf "the demo: %d bytes for %d frames, %.0f bytes for 10 minutes (20,000 frames)\n", b, f, b / f * 20000 }'
fi
