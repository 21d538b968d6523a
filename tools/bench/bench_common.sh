# Shared by the benchmark scripts (sourced, not run): a private Xvfb, a copy
# of the game with its own media folder, and the game started the way a
# player starts it, through the launcher. Expects $build to be set.

bench_work=$(mktemp -d)
# The game's pictures as it always drew them, one a frame, unless a script
# measures Smooth motion (bench_smooth_motion=1).
bench_smooth_motion=${bench_smooth_motion:-0}
bench_xvfb="" game_pid=""

bench_cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$bench_xvfb" ] && kill "$bench_xvfb" 2>/dev/null
    rm -rf "$bench_work"
}
trap bench_cleanup EXIT

bench_fail() {
    echo "$*" >&2
    exit 1
}

# The helpers are built on request only.
build_bench_helpers() {
    cmake --build "$build" --target startup_timer virtual_pad_game >/dev/null ||
        bench_fail "could not build the benchmark helpers"
}

start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$bench_work/display" 2>/dev/null &
    bench_xvfb=$!
    for _ in $(seq 100); do [ -s "$bench_work/display" ] && break; sleep 0.1; done
    [ -s "$bench_work/display" ] || bench_fail "Xvfb did not start"
    export DISPLAY=":$(head -1 "$bench_work/display")"
    unset WAYLAND_DISPLAY
}

# copy_game BINARY: the binary beside a copy of the media set, so the real
# game.ini is never touched. Sets game.
copy_game() {
    cp "$1" "$bench_work/$(basename "$1")"
    game="$bench_work/$(basename "$1")"
    rm -rf "$bench_work/media"
    cp -r "$build/media" "$bench_work/media"
    write_settings
}

# write_settings LINES...: game.ini for the next run.
write_settings() {
    printf '[Game]\nSmoothMotion=%s\n' "$bench_smooth_motion" >"$bench_work/media/game.ini"
    [ $# -eq 0 ] || printf '%s\n' "$@" >>"$bench_work/media/game.ini"
}

# Starts $game, clicks Start in its launcher (after PAUSE_MS, 500 by default)
# and waits for the first game frame. Sets game_pid, launcher_ms and
# first_frame_ms.
start_through_launcher() {
    "$build/startup_timer" "$game" "${1:-500}" >"$bench_work/timer" 2>"$bench_work/stderr"
    local ok=$?
    game_pid=$(awk '/^pid/ { print $2 }' "$bench_work/timer")
    launcher_ms=$(awk '/^launcher_ms/ { print $2 }' "$bench_work/timer")
    first_frame_ms=$(awk '/^first_frame_ms/ { print $2 }' "$bench_work/timer")
    [ "$ok" -eq 0 ] || bench_fail "the game did not start through its launcher: $(grep -v ALSA "$bench_work/stderr")"
}

# Ends the game the way a close request does, and waits until it is gone. It
# is not this shell's child (the timer started it), so `wait` cannot: a game
# still writing its game.ini at exit would overwrite the next run's settings.
stop_game() {
    kill -TERM "$game_pid" 2>/dev/null
    local state
    for _ in $(seq 200); do
        state=$(awk '{ print $3 }' "/proc/$game_pid/stat" 2>/dev/null)
        [ -z "$state" ] || [ "$state" = Z ] && break
        sleep 0.05
    done
    game_pid=""
}

# The focused game window gets keys from xdotool.
game_window() {
    xdotool search --onlyvisible --name '^Vexar$' | head -1
}

# Pauses the game: P held for a few frames, since the frame clock looks at it
# only when a frame is due.
pause_game() {
    local window
    window=$(game_window)
    xdotool windowfocus --sync "$window" keydown p
    sleep 0.1
    xdotool keyup p
    sleep 0.5
}

# cpu_per_second SECONDS: the game's CPU-seconds per wall-second over the span.
cpu_per_second() {
    local ticks c0 t0 c1 t1
    ticks=$(getconf CLK_TCK)
    c0=$(awk '{ print $14 + $15 }' "/proc/$game_pid/stat"); t0=$(date +%s.%N)
    sleep "$1"
    c1=$(awk '{ print $14 + $15 }' "/proc/$game_pid/stat"); t1=$(date +%s.%N)
    awk -v c="$((c1 - c0))" -v k="$ticks" -v t0="$t0" -v t1="$t1" 'BEGIN { printf "%.4f", c / k / (t1 - t0) }'
}

# status_kb KEY: a figure of /proc/PID/status in kB.
status_kb() {
    awk -v key="$1:" '$1 == key { print $2 }' "/proc/$game_pid/status"
}

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# fly_attack_route SECONDS: with $game started through its launcher under
# the swap counter (start_counted_game), plays the attack recording into its
# window in real time (play_timeline.py) and measures SECONDS of it, from
# 3 s in. Sets flown_cpu (CPU-seconds), flown_swaps, flown_seconds and
# flown_first_swap (the count of swaps when the span began); the swaps' times
# are in $bench_work/swap-times, a line a swap.
fly_attack_route() {
    local window player ticks c0 f0 t0 c1 f1 t1
    window=$(game_window)
    xdotool windowfocus --sync "$window"
    python3 "$(dirname "${BASH_SOURCE[0]}")/play_timeline.py" \
        "$(dirname "${BASH_SOURCE[0]}")/../../tests/game/golden/attack.timeline" "$window" \
        640 480 $(($1 + 5)) &
    player=$!
    sleep 3  # past the start
    ticks=$(getconf CLK_TCK)
    c0=$(awk '{ print $14 + $15 }' "/proc/$game_pid/stat"); f0=$(awk '{ print $1 + 0 }' "$bench_work/swaps")
    t0=$(date +%s.%N)
    sleep "$1"
    c1=$(awk '{ print $14 + $15 }' "/proc/$game_pid/stat"); f1=$(awk '{ print $1 + 0 }' "$bench_work/swaps")
    t1=$(date +%s.%N)
    kill "$player" 2>/dev/null
    flown_cpu=$(awk -v c="$((c1 - c0))" -v k="$ticks" 'BEGIN { print c / k }')
    flown_swaps=$((f1 - f0))
    flown_first_swap=$f0
    flown_seconds=$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')
}

# start_counted_game: start_through_launcher with the swap counter preloaded.
start_counted_game() {
    cmake --build "$build" --target swap_counter >/dev/null || bench_fail "could not build swap_counter"
    export VEXAR_SWAP_COUNT="$bench_work/swaps" VEXAR_SWAP_TIMES="$bench_work/swap-times"
    LD_PRELOAD="$(realpath "$build")/libswap_counter.so" start_through_launcher
}
