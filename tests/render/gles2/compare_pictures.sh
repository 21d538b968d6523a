#!/usr/bin/env bash
# The ES 2 renderer's pictures of a golden run against the OpenGL 1.1
# renderer's, frame by frame: at most 1 % of the pixels more than 16 levels
# apart in a channel, and a mean difference under 2 levels. The ES 2 build
# plays the run as the golden state has it. MEAN_UNDER in the environment
# sets a tighter bound on the mean where the pictures should agree closely.
# usage: compare_pictures.sh NAME FRAMES VEXAR_TOOL GL1_VEXAR_TOOL MEDIA WORK [REPLAY_OPTION...]
set -uo pipefail
name=$1 frames=$2 tool=$3 reference=$4 media=$5 work=$6
shift 6
golden=$(cd "$(dirname "$0")/../../game/golden" && pwd)
read -r -a args <"$golden/$name.args"

fail() {
    echo "FAIL ($name $*)" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
for side in gles2:"$tool" gl1:"$reference"; do
    LD_PRELOAD=${VEXAR_GAME_PRELOAD:-} "${side#*:}" replay "${args[@]}" "$@" --input "$golden/$name.timeline" \
        --media "$media" --screenshot "$frames" --out "$work/${side%%:*}" 2>"$work/err" ||
        fail "${side%%:*}: the replay ended with status $?: $(cat "$work/err")"
done
cmp -s "$golden/$name.state.txt" "$work/gles2/state.txt" || fail "plays the run otherwise with the ES 2 renderer"
for frame in ${frames//,/ }; do
    picture=$(printf 'frame-%06d.png' "$frame")
    figures=$("$tool" compare "$work/gl1/$picture" "$work/gles2/$picture") || fail "$picture: no comparison"
    share=$(sed -n 's/^pixels differing by more than 16 levels: \([0-9.]*\) %$/\1/p' <<<"$figures")
    mean=$(sed -n 's/^mean difference: \([0-9.]*\) levels$/\1/p' <<<"$figures")
    echo "$name $* $picture: $share % of the pixels, mean $mean"
    awk -v s="$share" -v m="$mean" -v bound="${MEAN_UNDER:-2.0}" 'BEGIN { exit !(s != "" && s <= 1.0 && m != "" && m < bound) }' ||
        fail "$picture differs too much: $(echo $figures)"
done
