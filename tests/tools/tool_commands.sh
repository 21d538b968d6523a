#!/usr/bin/env bash
# vexar-tool as a modder or a script meets it, on the built media set.
# usage: tool_commands.sh CASE VEXAR_TOOL MEDIA_FOLDER WORK_FOLDER MANUAL_PAGE
set -uo pipefail
case=$1 tool=$2 media=$3 work=$4 manual=$5

fail() {
    echo "FAIL ($case): $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"

# Under the address sanitizer the tool gets what the test environment
# preloads for the game's own programs (VEXAR_GAME_PRELOAD).
run_tool() { LD_PRELOAD=${VEXAR_GAME_PRELOAD:-} "$tool" "$@"; }

# The options a command's --help lists (lines that start with one), sorted;
# --help left out.
help_options() {
    grep -oE -- '^ +--[a-z][a-z-]*' | tr -d ' ' | grep -vx -- '--help' | sort -u
}

# The options one command's section of the manual page lists: the tags of its
# items (the line after .TP or .TQ), sorted.
manual_options() {
    sed 's/\\-/-/g' "$manual" | awk -v name="$1" '
        /^\.S[SH] / { inside = ($1 == ".SS" && $2 == name); next }
        inside && tag { print }
        { tag = inside && ($1 == ".TP" || $1 == ".TQ") }' |
        grep -oE -- '--[a-z][a-z-]*' | sort -u
}

case $case in
shipped_media)
    # Everything the build puts in the media folder, and the settings a
    # player's run leaves there: each passes, or is named as no media file.
    cp -r "$media" "$work/media"
    printf '[Game]\nWindowed=1\nWidth=800\nHeight=600\nUseScreenRes=1\n' >"$work/media/game.ini"
    run_tool check "$work"/media/* >"$work/out" 2>&1 || fail "status $?: $(grep -v '^[A-Za-z-]*: ' "$work/out")"
    files=$(ls "$work/media" | wc -l)
    [ "$(grep -c '^file: ' "$work/out")" -eq "$files" ] || fail "not one block for each of the $files files"
    [ "$(grep -cE '^result: (ok|skipped \(.*\))$' "$work/out")" -eq "$files" ] || fail "not every file ends in ok or skipped"
    grep -qx 'result: skipped (a font, not a media file)' "$work/out" || fail "the font is not named as skipped"
    ;;
missing_texture)
    cp -r "$media" "$work/media"
    rm "$work/media/radar.tga"
    run_tool check "$work/media/spaceShip1.a3f" "$work/media/spaceRadar.a3f" "$work/media/shot.a3f" \
        >"$work/out" 2>&1
    status=$?
    [ "$status" -eq 1 ] || fail "status $status for a model whose texture is missing"
    # Standard error and standard output in one stream: the box's line comes
    # under the radar's own file line, before the next file's.
    awk -v bad="file: $work/media/spaceRadar.a3f" -v next_file="file: $work/media/shot.a3f" \
        -v line="$work/media/radar.tga: Unable to load the texture file: radar.tga" '
        $0 == bad { inside = 1; next }
        $0 == next_file { inside = 0 }
        inside && $0 == line { found = 1 }
        inside && $0 == "result: failed" { failed = 1 }
        END { exit !(found && failed) }' "$work/out" ||
        fail "the radar's error and result do not stand under its file: $(cat "$work/out")"
    [ "$(grep -c '^result: ok$' "$work/out")" -eq 2 ] || fail "the two good models are not ok"
    ;;
replay_missing_media)
    run_tool replay --seed 1 --frames 3 --out "$work/out" --media "$work/no-such-folder" 2>"$work/err"
    status=$?
    [ "$status" -eq 1 ] || fail "status $status for a media folder that does not exist"
    grep -qx "vexar-tool replay: the media folder $work/no-such-folder does not exist" "$work/err" ||
        fail "no line naming the folder: $(cat "$work/err")"
    [ ! -e "$work/out" ] || fail "the replay wrote output all the same"
    ;;
replay_without_display)
    # No display and no video driver that could give OpenGL: a replay with no
    # screenshot needs neither, and plays the stereo golden run as it should.
    golden=$(cd "$(dirname "$0")/../game/golden" && pwd)
    headless() {
        (unset DISPLAY WAYLAND_DISPLAY
         SDL_VIDEODRIVER=no-such-driver run_tool replay --seed 11 --frames 1200 --stereo 1 \
             --input "$golden/ram.timeline" --media "$media" --out "$work/$1" "${@:2}")
    }
    headless out 2>"$work/err" || fail "status $? without a display: $(cat "$work/err")"
    cmp -s "$golden/ram.state.txt" "$work/out/state.txt" || fail "the state differs from the golden run's"
    # A screenshot does ask for OpenGL, which this environment cannot give.
    headless shot --screenshot 5 2>"$work/err" && fail "a screenshot was taken with no video driver"
    ;;
compare)
    # Two frames of a golden run: a picture against itself differs nowhere,
    # against another frame somewhere, and pictures of two sizes are refused.
    golden=$(cd "$(dirname "$0")/../game/golden" && pwd)
    shots() {
        run_tool replay --seed 11 --frames 300 --input "$golden/ram.timeline" --media "$media" \
            --out "$work/$1" --screenshot 2,300 "${@:2}" 2>"$work/err" || fail "replay: $(cat "$work/err")"
    }
    shots small
    shots large --width 800 --height 600
    a=$work/small/frame-000002.png b=$work/small/frame-000300.png
    run_tool compare "$a" "$a" >"$work/same" || fail "status $? comparing a picture with itself"
    printf 'pixels differing by more than 16 levels: 0.000 %%\nmean difference: 0.000 levels\n' |
        cmp -s - "$work/same" || fail "a picture differs from itself: $(cat "$work/same")"
    run_tool compare "$a" "$b" >"$work/other" || fail "status $? comparing two frames"
    share=$(sed -n 's/^pixels differing by more than 16 levels: \([0-9.]*\) %$/\1/p' "$work/other")
    mean=$(sed -n 's/^mean difference: \([0-9.]*\) levels$/\1/p' "$work/other")
    awk -v s="$share" -v m="$mean" 'BEGIN { exit !(s > 0 && s <= 100 && m > 0) }' ||
        fail "two frames compare as: $(cat "$work/other")"
    run_tool compare "$a" "$work/large/frame-000002.png" >/dev/null 2>"$work/err"
    [ $? -eq 1 ] && grep -q 'the sizes differ: 640x480 and 800x600' "$work/err" ||
        fail "pictures of two sizes: $(cat "$work/err")"
    run_tool compare "$a" "$golden/ram.timeline" >/dev/null 2>&1 && fail "a file that is no PNG compared"
    ;;
replay_stopped)
    # Ctrl-C and SIGTERM end a long replay at once, saying where.
    for signal in INT:130 TERM:143; do
        rm -rf "$work/out"
        run_tool replay --seed 1 --frames 1000000 --out "$work/out" 2>"$work/err" &
        shell=$!
        for _ in $(seq 300); do
            [ "$(wc -l 2>/dev/null <"$work/out/state.txt" || echo 0)" -gt 50 ] && break
            sleep 0.1
        done
        # The tool itself, not the shell that started it in the background.
        kill -"${signal%:*}" "$(pgrep -P $shell -x vexar-tool || echo $shell)"
        wait $shell
        status=$?
        [ "$status" -eq "${signal#*:}" ] || fail "status $status after SIG${signal%:*}"
        grep -qE "^vexar-tool replay: stopped by SIG${signal%:*} at frame [0-9]+; what it wrote holds the frames before it$" \
            "$work/err" || fail "no line saying where it stopped: $(cat "$work/err")"
    done
    ;;
replay_full_disk)
    # Each output on a full disk: the replay stops at once and names it.
    for file in state.txt timings.csv audio.wav frame-000002.png; do
        rm -rf "$work/out" && mkdir -p "$work/out"
        ln -s /dev/full "$work/out/$file"
        run_tool replay --seed 1 --frames 1000 --screenshot 2 --out "$work/out" 2>"$work/err"
        status=$?
        [ "$status" -eq 1 ] || fail "status $status with $file on a full disk"
        grep -qx "vexar-tool replay: cannot write $work/out/$file: No space left on device" "$work/err" ||
            fail "no line naming $file: $(cat "$work/err")"
        other=state.txt
        [ "$file" == state.txt ] && other=timings.csv
        [ "$(wc -l <"$work/out/$other")" -lt 10 ] || fail "went on after $file failed"
    done
    ;;
replay_hostile_demo)
    # A few lines asking for more than any game: refused, nothing written.
    printf 'vexar-demo 1\nseed 1\n1 time 4294967295\n1 end\n' >"$work/long.demo"
    head -c 64 /dev/urandom | tr -d '\n' | { printf 'RIFF\0\0'; cat; } >"$work/binary.demo"
    for demo in long binary; do
        run_tool replay --demo "$work/$demo.demo" --out "$work/out" 2>"$work/err"
        status=$?
        [ "$status" -eq 1 ] || fail "status $status for $demo.demo"
        [ ! -e "$work/out" ] || fail "$demo.demo wrote output all the same"
    done
    grep -qx "vexar-tool replay: $work/binary.demo: line 1: not a Vexar demo: it does not begin with \"vexar-demo\" (a byte 0x00, which no text holds)" \
        "$work/err" || fail "the binary file is not told it is no demo: $(cat -v "$work/err")"
    ;;
manual)
    # Every command the tool lists has its section in the manual page, and
    # the options of each agree both ways.
    run_tool --help >"$work/help" || fail "--help ended with status $?"
    commands=$(awk '/^  [a-z0-9]+ / { print $1 }' "$work/help" | sort)
    sections=$(sed -n 's/^\.SS //p' "$manual" | sort)
    [ -n "$commands" ] && [ "$commands" == "$sections" ] ||
        fail "the tool's commands ($(echo $commands)) differ from the manual's ($(echo $sections))"
    for command in $commands; do
        run_tool "$command" --help >"$work/$command.help" || fail "$command --help ended with status $?"
        grep -q "^usage: vexar-tool $command" "$work/$command.help" || fail "$command --help gives no usage"
        in_help=$(help_options <"$work/$command.help")
        in_manual=$(manual_options "$command")
        [ "$in_help" == "$in_manual" ] ||
            fail "$command: --help lists $(echo $in_help), the manual $(echo $in_manual)"
    done
    ;;
*) fail "unknown case" ;;
esac
echo "ok ($case)"
