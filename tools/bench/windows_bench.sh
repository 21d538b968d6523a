#!/usr/bin/env bash
# The Windows build under Wine beside the Linux build, measured the same way
# in the same run, on a private Xvfb:
#   launch -> launcher window mapped (median of 5), and Start -> first frame;
#   CPU per delivered frame at 640 x 480 flying the attack route (the attack
#   recording played into the window in real time; frames counted as the X
#   server sees them drawn, tools/bench/frame_counter.c);
#   CPU while paused;
#   the music timer's mean period and its lateness at the 99th percentile
#   (tools/bench/music_timer_probe.cpp).
# Wine's CPU is the game's process and its wineserver together. Wine's own
# services are kept running between the starts (a persistent wineserver), as
# Windows' are on a player's desktop; the first start, which boots them, is
# not counted. Sound goes to SDL's dummy driver on both (a headless machine
# has no device).
# usage: tools/bench/windows_bench.sh LINUX_BUILD WINDOWS_BUILD [PLAY_SECONDS] [PAUSED_SECONDS]
set -uo pipefail
build=${1:-build} windows_build=${2:-build-win} seconds=${3:-20} paused_seconds=${4:-10}
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$build/vexar" ] || { echo "no $build/vexar; run make build first" >&2; exit 2; }
[ -e "$windows_build/vexar.exe" ] || { echo "no $windows_build/vexar.exe; run make windows first" >&2; exit 2; }
source "$here/bench_common.sh"
export SDL_AUDIODRIVER=dummy
cmake --build "$build" --target startup_timer frame_counter music_timer_probe >/dev/null ||
    bench_fail "could not build the benchmark helpers"
cmake --build "$windows_build" --target music_timer_probe >/dev/null ||
    bench_fail "could not build the Windows music timer probe"

export WINEPREFIX=$bench_work/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
start_display
wineboot --init >/dev/null 2>&1
wineserver -p
trap 'wineserver -k 2>/dev/null; bench_cleanup' EXIT

# The Windows game beside its DLLs and a media folder of its own, started
# through a script that startup_timer can run.
windows_game() {
    local folder=$bench_work/windows
    rm -rf "$folder"
    mkdir -p "$folder"
    cp "$windows_build"/vexar.exe "$windows_build"/*.dll "$folder/"
    cp -r "$windows_build/media" "$folder/media"
    rm -f "$folder/media/game.ini"
    printf '#!/bin/sh\ncd "%s" && exec wine ./vexar.exe\n' "$folder" >"$folder/vexar"
    chmod +x "$folder/vexar"
    game=$folder/vexar
}
settings_file() { echo "$(dirname "$game")/media/game.ini"; }

# The process's CPU ticks, with its wineserver's under Wine.
wineserver_pid() {
    local pid
    for pid in $(pgrep -x 'wineserver(64)?'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done | head -1
}
ticks_of() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
cpu_ticks() {
    local total server
    total=$(ticks_of "$game_pid")
    server=$([ "$system" = windows ] && wineserver_pid)
    [ -n "$server" ] && total=$((total + $(ticks_of "$server")))
    echo "$total"
}

# measure SYSTEM: every figure of one build; sets the figures in `result`.
declare -A result
measure() {
    system=$1
    local launcher_runs=() frame_runs=()
    for _ in 1 2 3 4 5; do
        printf '[Game]\n' >"$(settings_file)"
        start_through_launcher
        launcher_runs+=("$launcher_ms")
        frame_runs+=("$first_frame_ms")
        stop_game
    done
    result[$system.launcher]=$(median "${launcher_runs[@]}")
    result[$system.first_frame]=$(median "${frame_runs[@]}")

    printf '[Game]\n' >"$(settings_file)"
    start_through_launcher
    local window ticks c0 c1 t0 t1
    window=$(game_window)
    xdotool windowfocus --sync "$window"
    python3 "$here/play_timeline.py" "$here/../../tests/game/golden/attack.timeline" "$window" \
        640 480 $((seconds + 5)) &
    local player=$!
    sleep 3  # past the start
    ticks=$(getconf CLK_TCK)
    "$build/frame_counter" "$window" "$seconds" >"$bench_work/frames" &
    local counter=$!
    c0=$(cpu_ticks); t0=$(date +%s.%N)
    wait "$counter"
    c1=$(cpu_ticks); t1=$(date +%s.%N)
    kill "$player" 2>/dev/null
    local frames
    frames=$(awk '/^frames/ { print $2 }' "$bench_work/frames")
    result[$system.frame_cpu]=$(awk -v c="$((c1 - c0))" -v k="$ticks" -v f="$frames" 'BEGIN { printf "%.2f", c / k * 1000 / f }')
    result[$system.fps]=$(awk -v f="$frames" -v t0="$t0" -v t1="$t1" 'BEGIN { printf "%.1f", f / (t1 - t0) }')

    pause_game
    c0=$(cpu_ticks); t0=$(date +%s.%N)
    sleep "$paused_seconds"
    c1=$(cpu_ticks); t1=$(date +%s.%N)
    result[$system.paused]=$(awk -v c="$((c1 - c0))" -v k="$ticks" -v t0="$t0" -v t1="$t1" 'BEGIN { printf "%.4f", c / k / (t1 - t0) }')
    stop_game
}

copy_game "$build/vexar"
measure linux
linux_timer=$("$build/music_timer_probe")
windows_game
# Wine's services up, as on a running desktop.
printf '[Game]\n' >"$(settings_file)"
start_through_launcher
stop_game
measure windows
windows_timer=$(cd "$windows_build" && wine ./music_timer_probe.exe)
field() { awk -v key="$2" '{ for (i = 1; i < NF; ++i) if ($i == key) print $(i + 1) }' <<<"$1"; }

ratio() { awk -v w="$1" -v l="$2" 'BEGIN { printf "%.2f", w / l }'; }
echo "| Figure | Linux | Windows (Wine) | Windows / Linux | Target |"
echo "|---|---|---|---|---|"
echo "| launch -> launcher mapped, median of 5 (ms) | ${result[linux.launcher]} | ${result[windows.launcher]} | $(ratio "${result[windows.launcher]}" "${result[linux.launcher]}") | within 1.5x |"
echo "| Start -> first game frame, median of 5 (ms) | ${result[linux.first_frame]} | ${result[windows.first_frame]} | $(ratio "${result[windows.first_frame]}" "${result[linux.first_frame]}") | |"
echo "| CPU per delivered frame, 640x480, attack route (ms) | ${result[linux.frame_cpu]} | ${result[windows.frame_cpu]} | $(ratio "${result[windows.frame_cpu]}" "${result[linux.frame_cpu]}") | within 1.5x |"
echo "| frames delivered per second | ${result[linux.fps]} | ${result[windows.fps]} | | |"
echo "| CPU while paused (cpu-s/s) | ${result[linux.paused]} | ${result[windows.paused]} | | <= 0.01 |"
echo "| music timer: mean period (ms) | $(field "$linux_timer" mean_period_ms) | $(field "$windows_timer" mean_period_ms) | | 10 |"
echo "| music timer: lateness p99 (ms) | $(field "$linux_timer" p99_late_ms) | $(field "$windows_timer" p99_late_ms) | | as Linux |"
