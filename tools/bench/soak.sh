#!/usr/bin/env bash
# Soak: the game headless for a long time (120,000 frames is an hour of game
# time) in the stereo mode at 640 x 480, with random input from a fixed seed.
# Passes when it ends normally, reports no error box, and its resident memory
# after the first minute of game time grows by less than 1 MB. The software
# renderer's working memory comes and goes by a few MB from frame to frame and
# a third to a half of the samples (one a second) catch it, so growth is the
# floor of the last third of the samples less the floor of the first third,
# counted from the end of the first minute: a leak raises the floor.
# usage: tools/bench/soak.sh [BUILD_FOLDER] [FRAMES] [SEED]
set -uo pipefail
build=${1:-build}
frames=${2:-120000}
seed=${3:-4242}
tool="$build/vexar-tool"
[ -x "$tool" ] || { echo "no $tool; run make build first" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Random input: a new pointer every 10 to 90 frames, keys held for a while.
python3 - "$frames" "$seed" > "$work/input.txt" <<'PY'
import random, sys
frames, seed = int(sys.argv[1]), int(sys.argv[2])
rng = random.Random(seed)
keys = {"up": False, "down": False, "left": False, "right": False, "space": False}
frame = 1
while frame <= frames:
    print(f"{frame} pointer {rng.uniform(-1, 1):.2f} {rng.uniform(-1, 1):.2f}")
    for key in keys:
        if rng.random() < 0.3:
            keys[key] = not keys[key]
            print(f"{frame} key {key} {'down' if keys[key] else 'up'}")
    frame += rng.randint(10, 90)
PY

# A sanitizer build's runtime and driver (VEXAR_GAME_PRELOAD) go into the tool alone.
LD_PRELOAD=${VEXAR_GAME_PRELOAD:-} "$tool" replay --seed "$seed" --frames "$frames" --stereo 1 --input "$work/input.txt" \
    --media "$build/media" --out "$work/run" --draw 1 2> "$work/stderr" &
pid=$!
minute=2000  # frames in the first minute of game time
: > "$work/memory"
while kill -0 "$pid" 2>/dev/null; do
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    done_frames=$(($( { wc -l < "$work/run/state.txt"; } 2>/dev/null || echo 2) - 2))
    [ -n "$rss" ] && [ "$done_frames" -ge "$minute" ] && echo "$rss" >> "$work/memory"
    sleep 1
done
wait "$pid"
status=$?
lines=$(($( { wc -l < "$work/run/state.txt"; } 2>/dev/null || echo 2) - 2))
errors=$(grep -c "The application will continue" "$work/stderr")
echo "frames: $lines of $frames, exit status $status, error boxes: $errors"
floor() { sort -n | head -n 1; }
samples=$(wc -l < "$work/memory")
third=$((samples / 3))
if [ "$third" -lt 2 ]; then
    echo "resident memory: too short a run to tell growth"
    grew=0
else
    early=$(head -n "$third" "$work/memory" | floor)
    late=$(tail -n "$third" "$work/memory" | floor)
    grew=$((late - early))
    echo "resident memory after the first minute: ${early} kB early, ${late} kB late, growth ${grew} kB (limit 1024 kB)"
fi
[ "$status" -eq 0 ] && [ "$lines" -eq "$frames" ] && [ "$errors" -eq 0 ] || exit 1
# A sanitizer build holds freed memory back on purpose: its growth says nothing.
[ -n "${VEXAR_GAME_PRELOAD:-}" ] || [ "$grew" -lt 1024 ] || exit 1
