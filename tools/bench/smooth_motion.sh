#!/usr/bin/env bash
# The pictures the real game delivers with Smooth motion on (its default),
# flying the attack route at 640 x 480 under Xvfb (which has no vertical
# sync and no refresh rate, so the game paces itself at 60 a second): how
# many a second, how far apart (99th percentile), the CPU each costs and the
# CPU a second while playing. Counted and timed at every swap by the
# preloaded swap_counter.c.
# Targets: >= 58 pictures a second, p99 <= 20 ms, <= 3.7 ms CPU a picture,
# <= 0.25 CPU-s per s.
# usage: tools/bench/smooth_motion.sh [BUILD_FOLDER] [SECONDS]
set -uo pipefail
build=${1:-build}
seconds=${2:-20}
[ -x "$build/vexar" ] || { echo "no $build/vexar; run make build first" >&2; exit 2; }
bench_smooth_motion=1
source "$(dirname "$0")/bench_common.sh"
export SDL_AUDIODRIVER=dummy

build_bench_helpers
start_display
copy_game "$build/vexar"
start_counted_game
fly_attack_route "$seconds"
stop_game

# The intervals between the swaps of the measured span: from the last swap
# before it to its last, not the swaps the game made while it was stopped.
sed -n "$((flown_first_swap > 0 ? flown_first_swap : 1)),$((flown_first_swap + flown_swaps))p" "$bench_work/swap-times" |
    awk 'NR > 1 { print ($1 - last) / 1000 } { last = $1 }' | sort -g >"$bench_work/intervals"
p99=$(awk '{ v[NR] = $1 } END { i = int(NR * 0.99 + 0.999); print v[i < 1 ? 1 : i] }' "$bench_work/intervals")
awk -v c="$flown_cpu" -v f="$flown_swaps" -v t="$flown_seconds" -v p="$p99" 'BEGIN {
    printf "smooth 640x480: %.1f pictures per s (target >= 58), interval p99 %.1f ms (target <= 20)\n", f / t, p
    printf "smooth 640x480: %.2f ms CPU per delivered picture (target <= 3.7), %.4f CPU-s per s (target <= 0.25)\n",
        c * 1000 / f, c / t }'
