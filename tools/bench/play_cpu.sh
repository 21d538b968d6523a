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
cmake --build "$build" --target swap_counter >/dev/null || bench_fail "could not build swap_counter"
start_display
copy_game "$build/vexar"
if [ "$mode" = record ]; then
    # The launcher starts the game by its path alone: a script in its place
    # becomes the game with the option (exec keeps the process).
    printf '#!/bin/sh\nexec "%s" --record "%s"\n' "$game" "$bench_work/play.demo" >"$bench_work/recording"
    chmod +x "$bench_work/recording"
    game="$bench_work/recording"
fi
write_settings
export VEXAR_SWAP_COUNT="$bench_work/swaps"
LD_PRELOAD="$(realpath "$build")/libswap_counter.so" start_through_launcher
window=$(game_window)
xdotool windowfocus --sync "$window"
python3 "$here/play_timeline.py" "$here/../../tests/game/golden/attack.timeline" "$window" \
    640 480 $((seconds + 5)) &
player=$!
sleep 3  # past the start

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }
swaps() { awk '{ print $1 + 0 }' "$bench_work/swaps"; }
c0=$(cpu); f0=$(swaps); t0=$(date +%s.%N)
sleep "$seconds"
c1=$(cpu); f1=$(swaps); t1=$(date +%s.%N)
kill "$player" 2>/dev/null
pid=$game_pid
stop_game
# Not a child of this shell: wait for it to have written the demo's end.
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done

awk -v c="$((c1 - c0))" -v k="$ticks" -v f="$((f1 - f0))" -v t0="$t0" -v t1="$t1" -v m="$mode" 'BEGIN {
    printf "%s 640x480: %.2f ms CPU per delivered frame (%d frames, %.1f per s; target <= 6)\n",
        m == "record" ? "recording" : "playing", c / k * 1000 / f, f, f / (t1 - t0) }'
if [ "$mode" = record ]; then
    frames=$(grep -oE '[0-9]+ end$' "$bench_work/play.demo" | cut -d' ' -f1)
    awk -v b="$(wc -c <"$bench_work/play.demo")" -v f="$frames" 'BEGIN {
        printf "the demo: %d bytes for %d frames, %.0f bytes for 10 minutes (20,000 frames)\n", b, f, b / f * 20000 }'
fi
