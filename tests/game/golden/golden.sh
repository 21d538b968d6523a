#!/usr/bin/env bash
# Golden runs: recorded input replayed headless, the frame-by-frame state
# compared with the committed one. A change of behaviour shows up as a diff
# and is taken on purpose with `make bless-golden`.
# Further arguments go to the replay as they are (`--draw 1`: every frame
# drawn, which must leave the state as it is).
# usage: golden.sh check|bless|twice NAME VEXAR_TOOL MEDIA_FOLDER WORK_FOLDER [REPLAY_OPTION...]
set -uo pipefail
mode=$1 name=$2 tool=$3 media=$4 work=$5
shift 5
here=$(cd "$(dirname "$0")" && pwd)
read -r -a args < "$here/$name.args"
args+=("$@")

replay() {  # replay OUT_FOLDER
    rm -rf "$1"
    # A sanitizer build's runtime and driver (VEXAR_GAME_PRELOAD) go into the
    # tool alone; VEXAR_RUNNER runs a Windows build's tool (under Wine).
    LD_PRELOAD=${VEXAR_GAME_PRELOAD:-} ${VEXAR_RUNNER:-} "$tool" replay "${args[@]}" --input "$here/$name.timeline" --media "$media" --out "$1" \
        || { echo "FAIL ($name): vexar-tool replay ended with status $?" >&2; exit 1; }
}

case $mode in
check)
    out=$work/$name${1:+-drawn}
    replay "$out"
    if ! cmp -s "$here/$name.state.txt" "$out/state.txt"; then
        echo "FAIL ($name): the game no longer plays this recording as it did." >&2
        echo "First differences (expected <, now >); columns are named in line 1:" >&2
        diff "$here/$name.state.txt" "$out/state.txt" | head -n 12 >&2
        echo "If the change is meant, run: make bless-golden" >&2
        exit 1
    fi ;;
twice)
    replay "$work/$name-1"
    replay "$work/$name-2"
    for file in state.txt audio.wav; do
        cmp "$work/$name-1/$file" "$work/$name-2/$file" \
            || { echo "FAIL ($name): two runs wrote different $file" >&2; exit 1; }
    done ;;
bless)
    replay "$work/$name"
    cp "$work/$name/state.txt" "$here/$name.state.txt"
    echo "blessed $name: $(($(wc -l < "$here/$name.state.txt") - 1)) frames" ;;
*)
    echo "usage: golden.sh check|bless|twice NAME VEXAR_TOOL MEDIA_FOLDER WORK_FOLDER" >&2
    exit 2 ;;
esac
