#!/usr/bin/env bash
# The web page's three figures beside their targets, as rows like
# bench_table.sh's (each the median of RUNS runs):
# - the page's download, gzip-compressed (every file the page fetches: the
#   WebAssembly, the JavaScript, the packed media, the cut SoundFont);
# - opening the page on 127.0.0.1 to the launcher drawn, in headless Chromium;
# - the CPU of each picture the page draws while a game flies without input,
#   against the native OpenGL ES 2 build's on the same flight (both with
#   Smooth motion, the default, so both draw a picture every display refresh),
#   both drawn by Mesa's llvmpipe (Chromium's ANGLE on EGL); the page on
#   Chromium's own SwiftShader, which its tests use, is told beside. Beside
#   it too, what Chromium spends on a page that only clears a canvas of the
#   same size in every animation frame (putting each picture on the page),
#   and the page's figure less that against the native one.
# usage: tools/bench/web_bench.sh [PAGE_FOLDER] [GLES2_BUILD] [RUNS] [SECONDS]
set -uo pipefail
page=${1:-dist/vexar-web}
build=${2:-build-gles2}
runs=${3:-3}
seconds=${4:-10}
here=$(cd "$(dirname "$0")" && pwd)
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
[ -e "$page/vexar.wasm" ] || { echo "no page in $page; build the vexar_web_page target first" >&2; exit 2; }
[ -x "$build/vexar" ] || { echo "no $build/vexar; run make build first" >&2; exit 2; }
bench_smooth_motion=1
source "$here/bench_common.sh"
cmake --build "$build" --target startup_timer swap_counter >/dev/null ||
    bench_fail "could not build the benchmark helpers"

rows=()
row() {
    local figure=$1
    shift
    rows+=("| $figure | $(median "$@") | $* | $target | \`$command\` |")
}

# The download: what the page fetches, not the licences beside it.
gzipped=0
for file in "$page"/*; do
    [ -f "$file" ] || continue
    size=$(gzip -9 -c "$file" | wc -c)
    gzipped=$((gzipped + size))
    printf '%-34s %9d bytes, %9d gzip-compressed\n' "$(basename "$file")" "$(wc -c <"$file")" "$size" >&2
done
download=$(awk -v b="$gzipped" 'BEGIN { printf "%.2f", b / 1e6 }')

# The page, in Chromium: drawn by its own SwiftShader (as the page tests run
# it), and by Mesa's llvmpipe, the native build's renderer.
for renderer in swiftshader llvmpipe; do
    CLK_TCK=$(getconf CLK_TCK) node "$here/web_page_bench.mjs" "$page" "$renderer" "$runs" "$seconds" \
        >"$bench_work/$renderer" 2>"$bench_work/$renderer.err" ||
        bench_fail "the page's runs on $renderer failed: $(tail -5 "$bench_work/$renderer.err")"
done
figures() { awk -v key="$2" '$1 == key { print $2 }' "$bench_work/$1"; }
rates() { awk '$1 == "frame_cpu_ms" { printf "%.1f\n", $4 / $6 }' "$bench_work/$1"; }
mapfile -t launcher < <(figures swiftshader launcher_ms)
mapfile -t launcher_llvmpipe < <(figures llvmpipe launcher_ms)
mapfile -t page_swiftshader < <(figures swiftshader frame_cpu_ms)
mapfile -t page_cpu < <(figures llvmpipe frame_cpu_ms)
mapfile -t page_rate < <(rates llvmpipe)
# part KIND: that kind of Chromium process's share of each picture, on llvmpipe.
part() { awk -v kind="$1" '$1 == "frame_cpu_by_process" { for (i = 2; i < NF; i += 2) if ($i == kind) print $(i + 1) }' "$bench_work/llvmpipe"; }
mapfile -t page_renderer < <(part renderer)
mapfile -t page_gpu < <(part gpu-process)
mapfile -t page_rate_swiftshader < <(rates swiftshader)
mapfile -t empty_cpu < <(figures llvmpipe empty_frame_cpu_ms)

# The native ES 2 build on the same flight: started through its launcher,
# no input, SECONDS from 3 s after Start.
export SDL_AUDIODRIVER=dummy
start_display
copy_game "$build/vexar"
native_cpu=() native_rate=()
ticks=$(getconf CLK_TCK)
for _ in $(seq "$runs"); do
    write_settings
    start_counted_game
    sleep 3
    c0=$(awk '{ print $14 + $15 }' "/proc/$game_pid/stat"); f0=$(awk '{ print $1 + 0 }' "$bench_work/swaps")
    t0=$(date +%s.%N)
    sleep "$seconds"
    c1=$(awk '{ print $14 + $15 }' "/proc/$game_pid/stat"); f1=$(awk '{ print $1 + 0 }' "$bench_work/swaps")
    t1=$(date +%s.%N)
    stop_game
    native_cpu+=("$(awk -v c="$((c1 - c0))" -v k="$ticks" -v f="$((f1 - f0))" 'BEGIN { printf "%.2f", c / k * 1000 / f }')")
    native_rate+=("$(awk -v f="$((f1 - f0))" -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", f / (b - a) }')")
done
ratios=() own_ratios=()
for i in $(seq 0 $((runs - 1))); do
    ratios+=("$(awk -v p="${page_cpu[$i]}" -v n="${native_cpu[$i]}" 'BEGIN { printf "%.2f", p / n }')")
    own_ratios+=("$(awk -v p="${page_cpu[$i]}" -v e="${empty_cpu[$i]}" -v n="${native_cpu[$i]}" \
        'BEGIN { printf "%.2f", (p - e) / n }')")
done

command="tools/bench/web_bench.sh $page $build $runs $seconds"
target="<= 6 MB"; row "The page's download, gzip-compressed (MB)" "$download"
target="<= 2000 ms"; row "Opening the page on 127.0.0.1 -> the launcher drawn, headless Chromium, SwiftShader (ms)" "${launcher[@]}"
target="-"; row "... the same, WebGL on llvmpipe (ms)" "${launcher_llvmpipe[@]}"
target="-"; row "CPU per picture in the page, flying without input, every Chromium process, llvmpipe (ms)" "${page_cpu[@]}"
target="-"; row "... pictures a second in the page, llvmpipe" "${page_rate[@]}"
target="-"; row "... of it the page's own process: the game, its JavaScript and WebGL calls (ms)" "${page_renderer[@]}"
target="-"; row "... of it Chromium's GPU process: drawing and putting the canvas on the page (ms)" "${page_gpu[@]}"
target="-"; row "... the same on SwiftShader: CPU per picture (ms)" "${page_swiftshader[@]}"
target="-"; row "... pictures a second in the page, SwiftShader" "${page_rate_swiftshader[@]}"
target="-"; row "CPU per picture, the native ES 2 build, the same flight (ms)" "${native_cpu[@]}"
target="-"; row "... pictures a second natively" "${native_rate[@]}"
target="-"; row "CPU per picture of a page that only clears a canvas of the same size, every Chromium process, llvmpipe (ms)" "${empty_cpu[@]}"
target="<= 2"; row "CPU per picture, the page against the native ES 2 build, both on llvmpipe (ratio)" "${ratios[@]}"
target="-"; row "... the page less the clearing page, against the native ES 2 build (ratio)" "${own_ratios[@]}"

echo "| Figure | Median | Runs | Target | Command |"
echo "|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
echo
echo "Load average before: $load_before; after: $(cut -d' ' -f1-3 /proc/loadavg)"
