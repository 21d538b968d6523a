#!/usr/bin/env bash
# Demos end to end: a game played under a private Xvfb with xdotool and
# recorded (vexar --record), then played back headless (vexar-tool replay
# --demo) and in the game (vexar --play); the same world frame after frame.
# usage: demo_game.sh CASE VEXAR VEXAR_TOOL GRAB_WINDOW WORK_FOLDER
#   play        20 s of turning, throttle, firing and a pause; both playbacks
#               agree with the recording, and a demo edited in one pointer
#               line departs at the first check after it
#   slow_audio  recorded with an audio device far slower than real time
#   no_audio    recorded with no audio device at all (no sound ever ends)
set -uo pipefail
case=$1 game=$2 tool=$3 grabber=$4 work=$5

rm -rf "$work"
mkdir -p "$work"
demo="$work/game.demo"
source "$(dirname "$0")/../../support/game_session.sh"
copy_game "$game"

run_tool() {
    LD_PRELOAD=$game_preload "$tool" "$@"
}

# The sound effects' device for the recording: SDL's dummy driver plays at
# the real pace; the cases below change that.
audio_driver=dummy
case $case in
slow_audio)
    # The disk driver writing into nothing, a block every 400 ms: sounds end
    # far later than they would at 11025 Hz.
    export SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=400
    audio_driver=disk ;;
no_audio) audio_driver=no-such-driver ;;
esac

# hold KEY SECONDS
hold() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

# Turning, the throttle both ways, firing with the button and the space bar,
# a pause, for about `seconds`.
fly() {
    local seconds=$1 start=$SECONDS
    xdotool mousemove --sync --window "$window" 560 200
    hold Up 1.5
    while [ $((SECONDS - start)) -lt "$seconds" ]; do
        xdotool mousemove --window "$window" $((200 + RANDOM % 240)) $((150 + RANDOM % 180))
        xdotool click 1
        hold space 1.2
        hold Down 0.4
        xdotool mousemove --window "$window" 120 300
        hold Left 0.3
        sleep 0.6
    done
    hold p 0.1  # pause a moment
    sleep 1
    hold p 0.1
    sleep 0.5
}

# Recorded over an earlier file, which stays as it was until the game ends
# (the frames go to game.demo.part meanwhile).
record_game() {  # SECONDS
    start_display
    echo "an earlier demo" >"$demo"
    SDL_AUDIODRIVER=$audio_driver start_game run_vexar --record "$demo"
    enter_game
    fly "$1"
    [ "$(cat "$demo")" == "an earlier demo" ] || fail "the earlier demo changed during the recording"
    grep -q '^1 ' "$demo.part" || fail "no frame in $demo.part during the recording"
    quit_game
    wait_for_end
    [ "$status" -eq 0 ] || fail "exit status $status after recording"
    [ ! -e "$demo.part" ] || fail "game.demo.part is left after the game"
    recorded=$(grep -oE 'demo recorded to .*: [0-9]+ frames, final check [0-9a-f]{16}$' "$work/stderr") ||
        fail "the game did not say what it recorded"
    frames=$(grep -oE '[0-9]+ frames' <<<"$recorded" | cut -d' ' -f1)
    check=${recorded##* }
    [ "$frames" -gt 100 ] || fail "only $frames frames recorded"
    tail -n 1 "$demo" | grep -qx "$frames end" || fail "the demo does not end with \"$frames end\""
}

# replay_demo FILE OUT [OPTION...]: vexar-tool's playback; sets replay_status.
replay_demo() {
    run_tool replay --demo "$1" --media "$media" --out "$2" "${@:3}" >"$2.out" 2>"$2.err"
    replay_status=$?
}

expect_same_game() {
    replay_demo "$demo" "$work/replay"
    [ "$replay_status" -eq 0 ] || fail "replay --demo ended with $replay_status: $(cat "$work/replay.err")"
    grep -q departs "$work/replay.err" && fail "replay --demo departs: $(cat "$work/replay.err")"
    grep -qx "$frames frames, final check $check" "$work/replay.out" ||
        fail "the replay's last frame is not the game's: $(cat "$work/replay.out"), the game's $check"
    # Its last state row is of the game's last frame.
    [ "$(tail -n 1 "$work/replay/state.txt" | cut -d' ' -f1)" -eq "$frames" ] ||
        fail "state.txt does not end at frame $frames"
}

case $case in
play)
    record_game 18
    expect_same_game
    grep -q ' pointer ' "$demo" || fail "no pointer line recorded"
    grep -q ' key space down' "$demo" || fail "no firing recorded"
    grep -q ' key up down' "$demo" || fail "no throttle recorded"

    # In the game: its own window, "DEMO" in the lower-right corner, the end
    # by itself after the last frame and two seconds of its picture. The
    # flight above ends wherever chance takes it, often facing empty space
    # with a handful of stars in view, where a black world would hardly
    # show; the autopilot's attack has the station and the bodies in view
    # by its 200th frame, in every run.
    shown="$work/shown.demo" shown_frames=200
    run_tool autopilot --plan attack --seed 2026 --frames "$shown_frames" --media "$media" \
        --out "$shown" >"$work/autopilot.out" 2>&1 || fail "autopilot: $(cat "$work/autopilot.out")"
    cp "$media/game.ini" "$work/game.ini.recorded"
    SDL_AUDIODRIVER=dummy start_game run_vexar --play "$shown"
    # The window grabbed until the game ends: the last grab is of the last
    # frame, held for two seconds.
    for _ in $(seq 600); do
        kill -0 "$pid" 2>/dev/null || break
        "$grabber" "$window" "$work/grab.png" >/dev/null 2>&1 && mv "$work/grab.png" "$work/play.png"
        sleep 0.2
    done
    wait_for_end
    [ -s "$work/play.png" ] || fail "no picture of the playback"
    pixels() { python3 "$(dirname "$0")/$1_pixels.py" "${@:2}" || fail "could not read a picture"; }
    badge=$(pixels count "$work/play.png" 576 456 640 480 600)
    [ "$badge" -gt 40 ] || fail "no DEMO in the lower-right corner ($badge white pixels)"
    # The world as the headless replay draws its last frame, the badge aside.
    replay_demo "$shown" "$work/last" --screenshot "$shown_frames"
    last=$(printf '%s/last/frame-%06d.png' "$work" "$shown_frames")
    [ -s "$last" ] || fail "the replay saved no picture of frame $shown_frames: $(cat "$work/last.err")"
    [ "$(pixels count "$last" 0 0 640 456 60)" -gt 1000 ] || fail "the autopilot's last frame shows no world"
    [ "$(pixels count "$work/play.png" 0 0 640 456 60)" -gt 100 ] || fail "the playback draws a black world"
    differing=$(pixels compare "$work/play.png" "$last" 576 456 640 480)
    [ "$differing" -lt 20 ] || fail "the playback's last picture differs from the replay's in $differing pixels"
    [ "$status" -eq 0 ] || fail "vexar --play ended with $status"
    grep -q departs "$work/stderr" && fail "vexar --play departs"
    cmp -s "$media/game.ini" "$work/game.ini.recorded" || fail "vexar --play changed game.ini"

    # One pointer line changed: the first check at or after it departs.
    line=$(grep -n ' pointer ' "$demo" | sed -n '3p')
    number=${line%%:*} edited_frame=$(cut -d' ' -f1 <<<"${line#*:}")
    sed "${number}s/ pointer .*/ pointer 0.9 -0.9/" "$demo" >"$work/edited.demo"
    cmp -s "$demo" "$work/edited.demo" && fail "the edit changed nothing"
    expected=$(( (edited_frame + 34) / 35 * 35 ))
    [ "$expected" -gt "$frames" ] && expected=$frames
    replay_demo "$work/edited.demo" "$work/edited"
    [ "$replay_status" -eq 2 ] || fail "the edited demo ended with $replay_status, not 2"
    grep -qx "vexar-tool replay: demo departs from the recording at frame $expected" "$work/edited.err" ||
        fail "expected a departure at frame $expected (pointer changed at $edited_frame): $(cat "$work/edited.err")"
    ;;
slow_audio | no_audio)
    record_game 6
    if [ "$case" = no_audio ]; then
        # Nothing ever ends a sound: the player fired once, and the demo says
        # nothing of the flags, which playback then keeps as the world set them.
        grep -q ' sounds ' "$demo" && fail "sounds ended without an audio device"
    else
        grep -q ' sounds ' "$demo" || fail "no sound ended in the recording"
    fi
    expect_same_game
    ;;
*) fail "unknown case" ;;
esac
echo "ok ($case)"
