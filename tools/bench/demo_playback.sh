#!/usr/bin/env bash
# Headless playback of a 10-minute demo (20,000 frames of 30 ms) without
# screenshots: vexar-tool autopilot flies the attack route and writes it as a
# demo; vexar-tool replay --demo plays it back, checks and all, and the wall
# time is compared with the ten minutes the demo lasts.
# Target: at least 100 times faster than real time.
# usage: tools/bench/demo_playback.sh [BUILD_FOLDER]
set -euo pipefail
build=${1:-build}
tool="$build/vexar-tool"
[ -x "$tool" ] || { echo "no $tool; run make build first" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tool" autopilot --plan attack --seed 2026 --frames 20000 --media "$build/media" \
    --out "$work/ten-minutes.demo" >/dev/null
start=$(date +%s.%N)
"$tool" replay --demo "$work/ten-minutes.demo" --media "$build/media" --out "$work/out" >/dev/null
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v b="$(wc -c <"$work/ten-minutes.demo")" 'BEGIN {
    printf "headless playback of 10 minutes: %.2f s, %.0f times real time (target >= 100); the demo %d bytes\n",
        e - s, 600 / (e - s), b }'
