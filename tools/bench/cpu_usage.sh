#!/usr/bin/env bash
# CPU use of the real game under Xvfb: CPU-seconds per wall-second while it
# runs, and while it is paused (P). Targets: running <= 0.2 (6 ms of CPU for
# each of the 33 frames a second), paused <= 0.02.
# usage: tools/bench/cpu_usage.sh [BUILD_FOLDER] [SECONDS]
set -uo pipefail
build=${1:-build}
seconds=${2:-10}
[ -x "$build/vexar" ] || { echo "no $build/vexar; run make build first" >&2; exit 2; }
source "$(dirname "$0")/bench_common.sh"

build_bench_helpers
start_display
copy_game "$build/vexar"
start_through_launcher
sleep 1  # past start-up

running=$(cpu_per_second "$seconds")
pause_game
paused=$(cpu_per_second "$seconds")
stop_game

printf 'running: %s CPU-s per s (target <= 0.2)\n' "$running"
printf 'paused:  %s CPU-s per s (target <= 0.02)\n' "$paused"
