#!/usr/bin/env bash
# Starts the real game in a private 1024x768 Xvfb and checks how it ends.
# usage: run_game.sh CASE VEXAR SEND_CLOSE_REQUEST WORK_FOLDER
set -uo pipefail
case=$1 game=$2 closer=$3 work=$4

rm -rf "$work"
mkdir -p "$work"
# A copy of its own, so its media folder (and game.ini) is this test's alone.
cp "$game" "$work/vexar"
media="$work/media"
xvfb="" pid=""

cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT
fail() {
    echo "FAIL ($case): $*" >&2
    [ -s "$work/stderr" ] && sed 's/^/  vexar: /' "$work/stderr" >&2
    exit 1
}

start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -1 "$work/display")"
    unset WAYLAND_DISPLAY
}

start_game() {
    "$work/vexar" 2>"$work/stderr" &
    pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vexar$' | head -1)
    [ -n "$window" ] || fail "no window titled Vexar appeared"
    xdotool windowfocus --sync "$window"
}

# Waits for the game to end; sets status.
wait_for_end() {
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "the game did not end"
    wait "$pid"
    status=$?
    pid=""
}

expect_ini() {
    local expected
    expected=$(printf '[Game]\nWindowed=%s\nLights=0\nMusic=0\nJoystick=0\nUseHiQualTex=0\nWidth=%s\nHeight=%s\nUseScreenRes=%s' "$@")
    [ -f "$media/game.ini" ] || fail "no game.ini written"
    [ "$(cat "$media/game.ini")" == "$expected" ] || fail "game.ini holds: $(cat "$media/game.ini")"
}

quit_with_key() {
    start_display
    start_game
    sleep 0.3  # a few frames
    xdotool key "$1"
    wait_for_end
    [ "$status" -eq 0 ] || fail "exit status $status after $1"
    expect_ini 1 640 480 0
}

case $case in
quit_q) quit_with_key q ;;
quit_escape) quit_with_key Escape ;;
close_request)
    start_display
    start_game
    sleep 0.3  # a few frames, as for the quit keys
    "$closer" "$window"
    wait_for_end
    [ "$status" -eq 0 ] || fail "exit status $status after the close request"
    expect_ini 1 640 480 0
    ;;
screen_size)
    mkdir -p "$media"
    printf '[Game]\nWidth=800\nHeight=600\nUseScreenRes=3\n' >"$media/game.ini"
    start_display
    start_game
    xdotool getwindowgeometry "$window" | grep -q 'Geometry: 1024x768' ||
        fail "window is not the screen's size: $(xdotool getwindowgeometry "$window")"
    xdotool key q
    wait_for_end
    [ "$status" -eq 0 ] || fail "exit status $status"
    # Keys already in the file keep their places; the values are the screen's.
    for line in Width=1024 Height=768 UseScreenRes=3 Windowed=1; do
        grep -qx "$line" "$media/game.ini" || fail "no $line in: $(cat "$media/game.ini")"
    done
    ;;
refused_mode)
    mkdir -p "$media"
    printf '[Game]\nWindowed=0\nWidth=123\nHeight=45\n' >"$media/game.ini"
    start_display
    timeout 30 "$work/vexar" 2>"$work/stderr"
    status=$?
    [ "$status" -eq 255 ] || fail "exit status $status for a mode the display cannot show"
    ;;
no_display)
    timeout 30 env -u DISPLAY -u WAYLAND_DISPLAY "$work/vexar" 2>"$work/stderr"
    status=$?
    [ "$status" -eq 255 ] || fail "exit status $status without a display"
    [ "$(wc -l <"$work/stderr")" -eq 1 ] || fail "expected one line on standard error"
    grep -q 'display' "$work/stderr" || fail "the line does not say why"
    ;;
*) fail "unknown case" ;;
esac
echo "ok ($case)"
