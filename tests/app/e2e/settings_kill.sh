#!/usr/bin/env bash
# Kills the real game (SIGKILL) at every step of its save of game.ini at exit
# and checks that game.ini is then always either the old file or the new one,
# never a broken one. The steps are found by an LD_PRELOAD shim (kill_shim.c)
# that watches the calls on files named game.ini...: opening for writing,
# each write (before it, and with half of it written), flush, sync, close and
# rename. A first run without a kill counts the steps and gives the new file;
# then one run dies at each step in turn.
# usage: settings_kill.sh VEXAR KILL_SHIM MEDIA_FOLDER WORK_FOLDER
# (VEXAR_GAME_PRELOAD: libraries to preload into the game before the shim,
# such as a sanitizer's runtime)
set -uo pipefail
game=$1 shim=$2 media=$3 base=$4 case=settings_kill
work=$base
source "$(dirname "$0")/../../support/game_session.sh"

rm -rf "$base"
mkdir -p "$base"
old=$'; kept by hand\n[Game]\nWidth=800\nHeight=600\n\n[Mods]\nGravity=2\n'

# One run in a folder of its own, with the media and the old game.ini, dying
# at step $1 (0: never). Sets `status` and `ini`.
run() {
    local folder=$base/run$1
    rm -rf "$folder"
    mkdir -p "$folder/media"
    cp "$game" "$folder/vexar"
    for file in "$media"/*; do
        case ${file##*/} in game.ini*) continue ;; esac
        ln -s "$file" "$folder/media/"
    done
    printf '%s' "$old" >"$folder/media/game.ini"
    work=$folder
    # A display of its own for every run, as a player's session would be.
    session_cleanup
    xvfb=""
    start_display
    start_game env LD_PRELOAD="${VEXAR_GAME_PRELOAD:+$VEXAR_GAME_PRELOAD }$shim" VEXAR_KILL_WATCH=game.ini \
        VEXAR_KILL_AT="$1" VEXAR_KILL_LOG="$folder/steps" "$folder/vexar"
    enter_game
    quit_game
    wait_for_end
    ini=$(cat "$folder/media/game.ini")
}

run 0
[ "$status" -eq 0 ] || fail "exit status $status without a kill"
new=$ini
steps=$(wc -l <"$base/run0/steps" 2>/dev/null || echo 0)
[ "$steps" -ge 5 ] || fail "only $steps steps of the save were seen"
[ "$new" != "${old%$'\n'}" ] || fail "the save changed nothing"
grep -qx 'UseScreenRes=0' <<<"$new" && grep -qx 'Gravity=2' <<<"$new" ||
    fail "the new game.ini is not complete: $new"
echo "the save takes $steps steps: $(cut -d' ' -f2 "$base/run0/steps" | tr '\n' ' ')"

kept_old=0
for step in $(seq "$steps"); do
    run "$step"
    [ "$status" -eq 137 ] || fail "exit status $status when killed at step $step"
    if [ "$ini" == "${old%$'\n'}" ]; then
        kept_old=$((kept_old + 1))
    elif [ "$ini" != "$new" ]; then
        fail "killed at step $step ($(sed -n "${step}p" "$base/run0/steps")), game.ini holds: $ini"
    fi
done
# Up to the rename every death leaves the old file.
[ "$kept_old" -eq "$steps" ] || fail "only $kept_old of $steps deaths left the old file"
echo "ok ($case: $steps deaths, each left the old game.ini)"
