# Shell helpers for tests that start the real game in a private Xvfb and drive
# it with xdotool. Source it, set `work` (a scratch folder) and `case`, and
# call: start_display; start_game COMMAND...; enter_game; quit_game;
# wait_for_end (sets `status`). The game's standard error goes to $work/stderr.
xvfb="" pid="" window=""

session_cleanup() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
}
trap session_cleanup EXIT

fail() {
    echo "FAIL (${case:-test}): $*" >&2
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

# A copy of the game of the test's own with the whole media set, so its media
# folder (and game.ini) is this test's alone; sets media. Under the address
# sanitizer the game gets what the test environment preloads
# (VEXAR_GAME_PRELOAD) and its leak check; the helpers built with it, which
# only drive the game, are not checked for leaks.
copy_game() {  # copy_game VEXAR
    game_preload=${VEXAR_GAME_PRELOAD:-} game_asan=${ASAN_OPTIONS:-}
    export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
    cp "$1" "$work/vexar"
    media="$work/media"
    cp -r "$(dirname "$1")/media" "$media"
    rm -f "$media/game.ini"
}

# The copied game, with what the test environment gave it.
run_vexar() {
    LD_PRELOAD=$game_preload ASAN_OPTIONS=$game_asan "$work/vexar" "$@"
}

# Waits for the game window that replaces the launcher ($launcher) of the game
# started as $pid, at most TENTHS tenths of a second (20 s unless given);
# sets window.
wait_for_game_window() {  # wait_for_game_window [TENTHS]
    window=""
    for _ in $(seq "${1:-200}"); do
        window=$(xdotool search --onlyvisible --name '^Vexar$' 2>/dev/null | grep -vx "$launcher" | head -1)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || fail "the game ended instead of opening its window"
        sleep 0.1
    done
    [ -n "$window" ] || fail "no game window appeared after Start"
    xdotool windowfocus --sync "$window"
}

visible_window() {
    timeout "$1" xdotool search --sync --onlyvisible --name '^Vexar$' 2>/dev/null | head -1
}

start_game() {
    "$@" 2>"$work/stderr" &
    pid=$!
    window=$(visible_window 20)
    [ -n "$window" ] || fail "no window titled Vexar appeared"
}

# The launcher, when the game has one, is a window titled "Vexar" whose Start
# button takes Return; the game's own window, also "Vexar", ignores Return.
# After Return, a launcher's window goes and the game's comes; a game window
# stays.
enter_game() {
    xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool key Return
    local first=$window
    for _ in $(seq 20); do
        sleep 0.1
        xdotool getwindowname "$first" >/dev/null 2>&1 && 
            xdotool search --onlyvisible --name '^Vexar$' 2>/dev/null | grep -qx "$first" && continue
        window=$(visible_window 20)
        [ -n "$window" ] || fail "no game window after the launcher"
        break
    done
    xdotool windowfocus --sync "$window" 2>/dev/null
    sleep 0.3  # a few frames
}

quit_game() {
    xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool key q
}

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

# Lines of the error box ("... The application will continue.") on stderr.
expect_no_error_box() {
    ! grep -q 'The application will continue\.' "$work/stderr" || fail "an error box was shown"
}
