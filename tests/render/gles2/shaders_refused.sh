#!/usr/bin/env bash
# A driver that refuses the renderer's shaders: the replay tells why (the
# error box's text, and the driver's log, on standard error), fails and
# makes no picture. Mesa's own shader replacement is what makes the real
# driver refuse one: a fragment shader the game asked for, dumped by a first
# run, comes back as text that is not GLSL.
# usage: shaders_refused.sh VEXAR_TOOL MEDIA WORK
set -uo pipefail
tool=$1 media=$2 work=$3
golden=$(cd "$(dirname "$0")/../../game/golden" && pwd)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

replay() {  # NAME: out folder and standard error beside it
    LD_PRELOAD=${VEXAR_GAME_PRELOAD:-} "$tool" replay --seed 1 --frames 3 --input "$golden/quiet.timeline" \
        --media "$media" --screenshot 2 --out "$work/$1" 2>"$work/$1.err"
}

rm -rf "$work"
mkdir -p "$work/dumped" "$work/replacements"
MESA_SHADER_DUMP_PATH=$work/dumped replay accepted || fail "the replay failed: $(cat "$work/accepted.err")"
[ -s "$work/accepted/frame-000002.png" ] || fail "no picture with the driver's consent"
fragment=$(ls "$work/dumped" | grep '^FS_.*\.glsl$' | head -n 1)
[ -n "$fragment" ] || fail "Mesa dumped no fragment shader into $work/dumped"
echo "this is no shader" >"$work/replacements/$fragment"

MESA_SHADER_READ_PATH=$work/replacements replay refused
status=$?
[ "$status" -ne 0 ] || fail "the replay succeeded with a shader the driver refused"
grep -q "^The graphics driver refused the game's shaders (OpenGL ES 2.0); its log is on standard error\.$" \
    "$work/refused.err" || fail "the error box's text is missing: $(cat "$work/refused.err")"
grep -q "^the renderer's shaders do not compile: .*[^ ]" "$work/refused.err" ||
    fail "the driver's log is missing: $(cat "$work/refused.err")"
[ ! -e "$work/refused/frame-000002.png" ] || fail "a picture was made without shaders"
echo "ok: status $status; $(grep -c . "$work/refused.err") lines on standard error"
