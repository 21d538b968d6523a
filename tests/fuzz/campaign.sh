#!/usr/bin/env bash
# The fuzzing campaign: every libFuzzer target in turn (or those named), each
# for SECONDS, at the lowest priority, in a clang build folder of its own
# (AddressSanitizer + UndefinedBehaviorSanitizer). New inputs go to
# BUILD/corpus/NAME, crashes and the like to BUILD/findings/NAME, the output
# to BUILD/logs/NAME.log; one line per target is appended to BUILD/campaign.txt.
# A finding stops that target: fix it, add the input to tests/fuzz/corpus/NAME
# and run the target again.
# usage: tests/fuzz/campaign.sh [SECONDS] [NAME...]   (FUZZ_BUILD=folder, default build-fuzz)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-1200}
[ $# -gt 0 ] && shift
build=${FUZZ_BUILD:-$root/build-fuzz}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in "$root"/tests/fuzz/*_fuzz.cpp; do
        name=${source##*/}
        targets+=("${name%_fuzz.cpp}")
    done
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVEXAR_FUZZ=ON -DVEXAR_SANITIZE=address >/dev/null || exit 1
for name in "${targets[@]}"; do
    nice -n 19 cmake --build "$build" -j2 --target "fuzz_$name" >/dev/null || exit 1
done

export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
for name in "${targets[@]}"; do
    corpus=$build/corpus/$name findings=$build/findings/$name log=$build/logs/$name.log
    mkdir -p "$corpus" "$findings" "$build/logs"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$findings/")
    [ -f "$root/tests/fuzz/$name.dict" ] && options+=(-dict="$root/tests/fuzz/$name.dict")
    # New inputs go to the first folder; the committed seeds are only read.
    nice -n 19 "$build/fuzz_$name" "${options[@]}" "$corpus" "$root/tests/fuzz/corpus/$name" \
        >"$log" 2>&1
    status=$?
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$')
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1)
    found=$(find "$findings" -type f | wc -l)
    line="$(date -u +%FT%TZ) $name seconds=$seconds status=$status executions=${runs:-?} ${coverage:-cov: ? ft: ?} findings=$found"
    echo "$line" | tee -a "$build/campaign.txt"
done
