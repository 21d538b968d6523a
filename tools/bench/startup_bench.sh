#!/usr/bin/env bash
# The figures a player notices first, for the real game under Xvfb:
#   launch -> launcher window mapped, and a click on Start -> the game
#   window's first frame, each the median of 5 runs (Start is clicked as soon
#   as the launcher has drawn);
#   memory as a person meets it: 2 s on the launcher (the SoundFont loads
#   meanwhile), then PLAY seconds of play with Music and high-quality
#   textures on: the peak resident size, the anonymous memory and where that
#   is (smaps_breakdown.py);
#   CPU while paused, without a joystick and with one open.
# usage: tools/bench/startup_bench.sh [BUILD_FOLDER] [PLAY_SECONDS] [PAUSED_SECONDS]
#
# Sound goes to SDL's "dummy" driver, so both audio devices open and the
# synthesiser loads its SoundFont as on a machine with sound (without a device
# the game reads no SoundFont at all). The start-up times are taken both ways:
# on this kind of machine SDL's dummy audio thread alone (nice -20, waking every
# buffer) often adds 100 ms or more to the first OpenGL window, in any SDL
# program. The joystick is SDL's virtual gamepad
# plugged in by virtual_pad_game, which is the game's own entry with that one
# step before it: a virtual device is seen only by the process that made it.
# BENCH_SOUNDFONT=FILE puts that SoundFont into the media folder, where the
# game takes it before any installed one (as a player's own).
set -uo pipefail
build=${1:-build}
play=${2:-20}
paused_seconds=${3:-10}
[ -x "$build/vexar" ] || { echo "no $build/vexar; run make build first" >&2; exit 2; }
source "$(dirname "$0")/bench_common.sh"
export SDL_AUDIODRIVER=dummy

# copy_game, with the SoundFont asked for.
copy_bench_game() {
    copy_game "$1"
    if [ -n "${BENCH_SOUNDFONT:-}" ]; then
        ln -s "$(realpath "$BENCH_SOUNDFONT")" "$bench_work/media/bench.sf2"
    fi
}

build_bench_helpers
start_display
copy_bench_game "$build/vexar"

# time_starts DRIVER: five starts with that audio driver; sets launcher_runs
# and frame_runs.
time_starts() {
    export SDL_AUDIODRIVER=$1
    launcher_runs=() frame_runs=()
    for _ in 1 2 3 4 5; do
        write_settings
        start_through_launcher
        launcher_runs+=("$launcher_ms")
        frame_runs+=("$first_frame_ms")
        stop_game
    done
}

time_starts dummy
dummy_launcher=("${launcher_runs[@]}") dummy_frame=("${frame_runs[@]}")
time_starts none
export SDL_AUDIODRIVER=dummy

write_settings "Music=1" "UseHiQualTex=1"
start_through_launcher 2000
sleep "$play"
hwm=$(status_kb VmHWM)
anon=$(status_kb RssAnon)
read -r _ driver _ heap _ other _ <<<"$("$(dirname "$0")/smaps_breakdown.py" "$game_pid")"
stop_game

megabytes() { awk -v kb="$1" 'BEGIN { printf "%.1f", kb / 1024 }'; }

declare -A idle
write_settings
start_through_launcher
sleep 1
pause_game
idle[none]=$(cpu_per_second "$paused_seconds")
stop_game
copy_bench_game "$build/virtual_pad_game"
write_settings "Joystick=1"
start_through_launcher
sleep 1
pause_game
idle[pad]=$(cpu_per_second "$paused_seconds")
stop_game

report_starts() {
    printf 'launch -> launcher mapped, %-13s %6.1f ms median of 5 (%s) (target <= 250)\n' \
        "$1:" "$(median "${launcher_runs[@]}")" "${launcher_runs[*]}"
    printf 'Start -> first game frame, %-13s %6.1f ms median of 5 (%s) (target <= 150)\n' \
        "$1:" "$(median "${frame_runs[@]}")" "${frame_runs[*]}"
}
report_starts "no audio"
launcher_runs=("${dummy_launcher[@]}") frame_runs=("${dummy_frame[@]}")
report_starts "dummy audio"
printf '2 s on the launcher, %s s of play, Music and HiQTexture on: VmHWM %.1f MB (target <= 108), RssAnon %.1f MB (target <= 28)\n' \
    "$play" "$(megabytes "$hwm")" "$(megabytes "$anon")"
printf '  the anonymous memory: driver %.1f MB, heap %.1f MB, other %.1f MB\n' \
    "$(megabytes "$driver")" "$(megabytes "$heap")" "$(megabytes "$other")"
printf 'paused, no joystick:         %s CPU-s per s (target <= 0.005)\n' "${idle[none]}"
printf 'paused, a joystick open:     %s CPU-s per s (target <= 0.02)\n' "${idle[pad]}"
