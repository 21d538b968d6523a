#!/usr/bin/env bash
# CPU use of the real game under Xvfb: CPU-seconds per wall-second while it
# runs, and while it is paused (P). Targets: running <= 0.10, paused <= 0.02.
# usage: tools/bench/cpu_usage.sh [BUILD_FOLDER] [SECONDS]
set -uo pipefail
build=${1:-build}
seconds=${2:-10}
[ -x "$build/vexar" ] || { echo "no $build/vexar; run make build first" >&2; exit 2; }

work=$(mktemp -d)
xvfb="" pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
unset WAYLAND_DISPLAY

# A copy with an empty media folder of its own, so the real game.ini is untouched.
cp "$build/vexar" "$work/vexar"
[ -d "$build/media" ] && cp -r "$build/media" "$work/media"
rm -f "$work/media/game.ini"
"$work/vexar" 2>/dev/null &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vexar$' | head -1)
[ -n "$window" ] || { echo "no game window" >&2; exit 1; }
xdotool windowfocus --sync "$window"
sleep 1  # past start-up

ticks=$(getconf CLK_TCK)
# utime + stime of all the game's threads, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
now() { date +%s.%N; }

# Prints CPU-seconds per wall-second over the given span.
measure() {
    local c0 t0 c1 t1
    c0=$(cpu_ticks); t0=$(now)
    sleep "$seconds"
    c1=$(cpu_ticks); t1=$(now)
    awk -v c="$((c1 - c0))" -v k="$ticks" -v t0="$t0" -v t1="$t1" 'BEGIN { printf "%.4f", c / k / (t1 - t0) }'
}

running=$(measure)
# Held for a few frames: the frame clock looks at P only when a frame is due,
# and a tap shorter than that can be released before it looks.
xdotool keydown p
sleep 0.1
xdotool keyup p
sleep 0.5
paused=$(measure)
xdotool key q
wait "$pid"
pid=""

printf 'running: %s CPU-s per s (target <= 0.10)\n' "$running"
printf 'paused:  %s CPU-s per s (target <= 0.02)\n' "$paused"
