#!/usr/bin/env bash
# Every figure the game is held to, in one Markdown table: each row the median
# of several runs, beside its target and the command that measured it.
# usage: tools/bench/bench_table.sh [BUILD_FOLDER] [RUNS]
set -uo pipefail
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
build=${1:-build}
runs=${2:-3}
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$build/vexar" ] || { echo "no $build/vexar; run make build first" >&2; exit 2; }
cmake --build "$build" --target benchmarks swap_counter startup_timer virtual_pad_game \
    >/dev/null || { echo "could not build the benchmarks" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
rows=()
# row FIGURE VALUES... : one table row from the runs' values (set target and command first).
row() {
    local figure=$1
    shift
    rows+=("| $figure | $(median "$@") | $* | $target | \`$command\` |")
}
# field FILE PATTERN N: the Nth number on the first line matching the pattern.
field() { grep -m1 -E "$2" "$1" | grep -oE '[0-9]+(\.[0-9]+)?' | sed -n "$3p"; }
# after FILE PATTERN WORD N: the number after the Nth WORD on that line.
after() { grep -m1 -E "$2" "$1" | grep -oE "$3 [0-9]+(\.[0-9]+)?" | sed -n "$4p" | cut -d' ' -f2; }
# run_each NAME SCRIPT ARGS...: the script once a run, each run's output in $work/NAME.RUN.
run_each() {
    local name=$1 run
    shift
    for run in $(seq "$runs"); do "$@" >"$work/$name.$run" 2>&1; done
}
# each_run NAME READER ARGS...: READER FILE ARGS... on every run's output, a line a run.
each_run() {
    local name=$1 run
    shift
    for run in $(seq "$runs"); do echo "$("$1" "$work/$name.$run" "${@:2}")"; done
}
# runs_row FIGURE NAME READER ARGS...: a row of what READER takes from each run's output.
runs_row() {
    local figure=$1 values
    shift
    mapfile -t values < <(each_run "$@")
    row "$figure" "${values[@]}"
}
# stereo_over_mono FILE: frame_times.sh's drawing at 1024x800, stereo over mono.
stereo_over_mono() {
    awk -v s="$(after "$1" '^1024x800 stereo' median 2)" -v m="$(after "$1" '^1024x800 mono' median 2)" \
        'BEGIN { printf "%.2f", s / m }'
}

# The real game under Xvfb: start-up, memory, CPU while paused (one pass of
# startup_bench.sh a run), playing (play_cpu.sh, cpu_usage.sh).
declare -a launch first hwm anon driver heap other idle idle_pad frame_cpu record_cpu running
for run in $(seq "$runs"); do
    "$here/startup_bench.sh" "$build" 20 10 >"$work/startup.$run" 2>&1
    launch+=("$(field "$work/startup.$run" '^launch -> launcher mapped, no audio' 1)")
    first+=("$(field "$work/startup.$run" '^Start -> first game frame, no audio' 1)")
    hwm+=("$(after "$work/startup.$run" 'HiQTexture on' VmHWM 1)")
    anon+=("$(after "$work/startup.$run" 'HiQTexture on' RssAnon 1)")
    driver+=("$(after "$work/startup.$run" 'anonymous memory' driver 1)")
    heap+=("$(after "$work/startup.$run" 'anonymous memory' heap 1)")
    other+=("$(after "$work/startup.$run" 'anonymous memory' other 1)")
    idle+=("$(field "$work/startup.$run" '^paused, no joystick' 1)")
    idle_pad+=("$(field "$work/startup.$run" '^paused, a joystick open' 1)")
    "$here/play_cpu.sh" "$build" 20 >"$work/play.$run" 2>&1
    frame_cpu+=("$(field "$work/play.$run" 'ms CPU per delivered frame' 3)")
    "$here/play_cpu.sh" "$build" 20 record >"$work/record.$run" 2>&1
    record_cpu+=("$(field "$work/record.$run" 'ms CPU per delivered frame' 3)")
    "$here/cpu_usage.sh" "$build" 10 >"$work/cpu.$run" 2>&1
    running+=("$(field "$work/cpu.$run" '^running' 1)")
done
command="tools/bench/startup_bench.sh $build 20 10"
target="<= 250 ms"; row "Launch -> launcher window mapped (ms, median of 5 starts a run)" "${launch[@]}"
target="<= 150 ms"; row "Start -> first game frame (ms, median of 5 starts a run)" "${first[@]}"
target="<= 108 MB"; row "Peak resident memory: 2 s on the launcher, 20 s of play, Music and HiQTexture on (VmHWM, MB)" "${hwm[@]}"
target="<= 28 MB"; row "Anonymous memory, the same session (RssAnon, MB)" "${anon[@]}"
target="-"; row "... of it the OpenGL driver's mappings: Mesa, LLVM (MB)" "${driver[@]}"
target="-"; row "... of it the main heap (MB)" "${heap[@]}"
target="-"; row "... of it other anonymous memory: large blocks, other threads' heaps, stacks (MB)" "${other[@]}"
target="<= 0.005"; row "CPU while paused, no joystick (CPU-s per s)" "${idle[@]}"
target="<= 0.02"; row "CPU while paused, a joystick open (CPU-s per s)" "${idle_pad[@]}"
command="tools/bench/play_cpu.sh $build 20"
target="<= 6 ms"; row "CPU per delivered frame, 640x480, flying the attack route (ms)" "${frame_cpu[@]}"
command="tools/bench/play_cpu.sh $build 20 record"
target="<= 2 % over the row above (noise here is larger)"; row "CPU per delivered frame while recording a demo, the same route (ms)" "${record_cpu[@]}"
command="tools/bench/cpu_usage.sh $build 10"
target="<= 0.2 (6 ms x 33 frames)"; row "CPU while playing, 640x480, the opening view (CPU-s per s)" "${running[@]}"

# Smooth motion on: pictures at the display's refresh (60 a second under
# Xvfb), flying the same route.
run_each smooth "$here/smooth_motion.sh" "$build" 20
command="tools/bench/smooth_motion.sh $build 20"
target=">= 58"; runs_row "Smooth motion: pictures delivered per second, paced at 60, the attack route" smooth field 'pictures per s' 3
target="<= 20 ms"; runs_row "Smooth motion: interval between pictures, 99th percentile (ms)" smooth after 'pictures per s' p99 1
target="<= 3.7 ms (a frame's without it)"; runs_row "Smooth motion: CPU per delivered picture (ms)" smooth field 'ms CPU per delivered picture' 3
target="<= 0.25"; runs_row "Smooth motion: CPU while playing the attack route (CPU-s per s)" smooth field 'CPU-s per s' 5

# Update and drawing per frame, from replays of the attack recording, with
# the OpenGL 1.1 renderer and with the ES 2 one from the build beside this
# one that make build makes ($build-gles2). The two take turns, so that a slow
# spell of the machine falls on both alike and their comparison holds.
gles2=$build-gles2
for run in $(seq "$runs"); do
    "$here/frame_times.sh" "$build" 1500 >"$work/frames.$run" 2>&1
    if [ -x "$gles2/vexar-tool" ]; then
        "$here/frame_times.sh" "$gles2" 1500 >"$work/es-frames.$run" 2>&1
    fi
done
command="tools/bench/frame_times.sh $build 1500"
target="<= 0.2 ms"; runs_row "Update per frame, 640x480 mono, median (ms)" frames after '^640x480 mono' median 1
target="<= 0.2 ms"; runs_row "Update per frame, 640x480 mono, 95th percentile (ms)" frames after '^640x480 mono' p95 1
target="-"; runs_row "Drawing per frame, 640x480 mono, median (ms)" frames after '^640x480 mono' median 2
target="- (one of the two passes of stereo)"; runs_row "Drawing per frame, 1024x800 mono, median (ms)" frames after '^1024x800 mono' median 2
target="<= 0.2 ms"; runs_row "Update per frame, 1024x800 stereo, median (ms)" frames after '^1024x800 stereo' median 1
target="<= 10 ms"; runs_row "Drawing per frame, 1024x800 stereo, median (ms)" frames after '^1024x800 stereo' median 2
target="-"; runs_row "Drawing per frame, 1024x800 stereo, 95th percentile (ms)" frames after '^1024x800 stereo' p95 2
target="<= 2.6"; runs_row "Drawing per frame, 1024x800, stereo / mono" frames stereo_over_mono

# The same drawing with the OpenGL ES 2 renderer.
if [ -x "$gles2/vexar-tool" ]; then
    command="tools/bench/frame_times.sh $gles2 1500"
    target="<= $(median $(each_run frames after '^640x480 mono' median 2)) ms (the 1.1 renderer's)"
    runs_row "Drawing per frame with the ES 2 renderer, 640x480 mono, median (ms)" es-frames after '^640x480 mono' median 2
    target="<= $(median $(each_run frames after '^1024x800 mono' median 2)) ms (the 1.1 renderer's)"
    runs_row "Drawing per frame with the ES 2 renderer, 1024x800 mono, median (ms)" es-frames after '^1024x800 mono' median 2
    target="-"; runs_row "Drawing per frame with the ES 2 renderer, 1024x800 stereo, median (ms)" es-frames after '^1024x800 stereo' median 2
    target="<= 2.4"; runs_row "Drawing per frame with the ES 2 renderer, 1024x800, stereo / mono" es-frames stereo_over_mono
fi

# Google Benchmark programs: the median of their own repetitions, a value a run.
aggregate() {  # PROGRAM NAME_PATTERN COLUMN
    "$build/$1" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_format=csv 2>/dev/null | grep -E "$2" | cut -d, -f"$3"
}
declare -a mix mix_moving a3f obj late99 late_max record_frame demo_size playback
for run in $(seq "$runs"); do
    record_frame+=("$(aggregate demo_bench '"BM_RecordFrame_median"' 4 | awk '{ printf "%.3f", $1 / 1000 }')")
    demo_size+=("$("$build/demo_bench" --benchmark_format=csv 2>/dev/null | grep BM_RecordFrame |
        cut -d, -f11 | awk '{ printf "%.0f", $1 }')")
    "$here/demo_playback.sh" "$build" >"$work/playback.$run" 2>&1
    playback+=("$(field "$work/playback.$run" 'times real time' 3)")
done
command="$build/demo_bench"
target="<= 120 us (2 % of the 6 ms a frame may cost)"; row "Recording a demo: the recorder's CPU per frame of busy play (us)" "${record_frame[@]}"
target="< 1,000,000"; row "A demo of 10 minutes of busy play, the pointer moving in every frame (bytes)" "${demo_size[@]}"
command="tools/bench/demo_playback.sh $build"
target=">= 100"; row "Headless playback of a 10-minute demo, no screenshots (times real time)" "${playback[@]}"

for run in $(seq "$runs"); do
    mix+=("$(aggregate mixer_bench '"BM_MixBlock16SpatialisedMuffled_median"' 4)")
    mix_moving+=("$(aggregate mixer_bench 'Doppler_median"' 4)")
    a3f+=("$(aggregate a3f_bench '"loadA3f_median"' 3)")
    obj+=("$(aggregate a3f_bench 'Tinyobjloader_median"' 3)")
    "$build/music_timer_bench" --benchmark_format=csv 2>/dev/null | tail -1 >"$work/timer.$run"
    late99+=("$(cut -d, -f15 "$work/timer.$run")")
    late_max+=("$(cut -d, -f12 "$work/timer.$run")")
done
command="$build/mixer_bench"
target="<= 1000 us (of a 92,900 us block)"; row "Mixer, one block of 16 placed sounds (us CPU)" "${mix[@]}"
target="<= 1000 us"; row "Mixer, the same with every source moving (us CPU)" "${mix_moving[@]}"
command="$build/music_timer_bench"
target="<= 2 ms"; row "Music timer, 99th percentile lateness of a 10 ms period (ms)" "${late99[@]}"
target="<= 10 ms"; row "Music timer, latest period in 10 s (ms)" "${late_max[@]}"
command="$build/a3f_bench"
target="below tinyobjloader"; row "A3F reader, 100,000 triangles (ms)" "${a3f[@]}"
target="-"; row "tinyobjloader, the same mesh as OBJ (ms)" "${obj[@]}"

echo "# Benchmarks"
echo
echo "Made by \`make bench\` (tools/bench/bench_table.sh, $runs runs a row) on $(date -u +%Y-%m-%d):"
echo "$(nproc) cores ($(uname -m)); OpenGL is Mesa's software renderer (llvmpipe) under Xvfb or"
echo "SDL's offscreen driver, so every figure that draws is a software renderer's. The machine's"
echo "load average (1, 5, 15 minutes) was $load_before at the start and $(cut -d' ' -f1-3 /proc/loadavg) at the end."
echo
echo "| Figure | Median | Runs | Target | Command |"
echo "|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
echo
cat <<'NOTE'
Memory: of the session's anonymous memory (RssAnon), about 9.3 MB is the OpenGL
driver's own data (libLLVM's tables, relocated when it is loaded, are 8.3 MB of it)
and 1.4 MB other libraries' data, before anything is drawn. Most of the rest is
the driver's working memory for the game's drawing: the window's back buffer
(1.2 MB), the textures (2.4 MB: llvmpipe keeps 4 bytes a texel), the display
lists' buffer (1 MB, Mesa's smallest), its upload buffers (1 to 2 MB), compiled
shaders and GL state in the heap; and the synthesiser (2.6 MB: 96 voices and their
event queue, mixing and effect buffers, the song's presets and samples; the rest of
the SoundFont is never read). What the game keeps itself (the models' arrays,
the sounds, the score box) is under 1 MB.

Drawing in the stereo mode at 1024x800 is two passes of the scene (26 million
instructions each, callgrind over all threads), the copy of the first pass into a
texture (about 40 million, more into the 3-3-2 texture of the low quality) and the
blended rectangle over the whole frame (about 57 million): 170 to 200 million
instructions against 26 for a mono frame. The copy and the rectangle each touch
every pixel at full size, which a GPU does in a fraction of a millisecond and a
software renderer cannot. The game copies with glCopyTexSubImage2D into the texture
its first copy made; on Mesa that measures the same as a whole copy in every frame,
since Mesa already keeps the storage while the size and format stay.

The ES 2 renderer draws the first pass into a texture of its own instead of
copying it, and its rectangle writes no depth (nothing after it reads any). In the
low texture quality the first pass writes its colours at 3-3-2 bits, as the 1.1
driver stores its copy. Quantising where the rectangle samples the texture instead,
as this renderer first did, cost about 2.5 ms more of the stereo frame here (3.1
times mono); the pictures agree with the 1.1 renderer's as closely either way (the
stereo run's mean difference 0.05 levels or less). What is left above two passes
is the rectangle, a blended pass over every pixel that reads the first pass's
texture. Measured with switches (600 frames, three paired runs, not faithful):
without the rectangle stereo takes 1.03 to 1.14 times mono; the rectangle drawn
untextured saves about 2 ms of its 3 to 4; its depth test off saves nothing
measurable. With this machine's drift the runs' ratio ranges from 2.0 to 2.8.

llvmpipe takes and frees a few megabytes of small blocks for every picture, and
glibc gives that top of the heap back to the system after each one, to fault it in
again for the next (about 400 page faults a picture). A trim threshold of 4 MB takes
a 640x480 picture's drawing from about 3.2 to 2.0 ms. With one picture a frame (Smooth
motion off) it is not taken: there the session's RssAnon rose by 0.5 to 5 MB (median
3.5) for 2 ms of CPU a frame. With Smooth motion on, which draws 60 pictures a second,
the game takes it: CPU per delivered picture went from 3.84 and 4.30 ms to 2.51 and
3.27 ms (two runs each of smooth_motion.sh build 10), and the start-up session's
RssAnon measured 29.4 and 29.6 MB without it, 29.4 MB with it.
NOTE
