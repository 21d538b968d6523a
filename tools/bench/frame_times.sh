#!/usr/bin/env bash
# Update and drawing time per frame while the attack recording plays, from
# vexar-tool replay's timings (software OpenGL when there is no GPU).
# Targets: update <= 0.2 ms; drawing at 1024 x 800 stereo <= 10 ms median.
# usage: tools/bench/frame_times.sh [BUILD_FOLDER] [FRAMES]
set -euo pipefail
build=${1:-build}
frames=${2:-3900}
here=$(cd "$(dirname "$0")/../.." && pwd)
tool="$build/vexar-tool"
[ -x "$tool" ] || { echo "no $tool; run make build first" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Median and 95th percentile of one column of timings.csv, in milliseconds.
percentiles() {
    tail -n +2 "$1" | cut -d, -f"$2" | sort -n |
        awk '{v[NR] = $1} END {printf "median %.3f ms, p95 %.3f ms", v[int((NR + 1) / 2)] / 1000, v[int(NR * 0.95)] / 1000}'
}

measure() {  # NAME, then replay options
    local name=$1
    shift
    "$tool" replay --seed 2026 --frames "$frames" --input "$here/tests/game/golden/attack.timeline" \
        --media "$build/media" --out "$work/$name" --draw 1 "$@"
    printf '%-22s update: %s   drawing: %s\n' "$name" \
        "$(percentiles "$work/$name/timings.csv" 2)" "$(percentiles "$work/$name/timings.csv" 3)"
}

measure "640x480 mono"
measure "1024x800 mono" --width 1024 --height 800
measure "1024x800 stereo" --width 1024 --height 800 --stereo 1
echo "targets: update <= 0.2 ms; drawing at 1024x800 stereo <= 10 ms median"
