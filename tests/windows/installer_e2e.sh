#!/usr/bin/env bash
# The Windows installer and the installed game under Wine, in a fresh Wine
# prefix and a private Xvfb: the silent install (Program Files, the Start-menu
# entry, the uninstaller in Add/Remove Programs), the game played through its
# launcher with the settings landing in %APPDATA%\Vexar, the launcher closed
# (status 255), a missing model's error box after which the game goes on,
# and the silent uninstall.
# usage: installer_e2e.sh SETUP_EXE LINUX_BUILD_FOLDER WORK_FOLDER
set -uo pipefail
setup=$1 host=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
case=install
rm -rf "$work"
mkdir -p "$work"
source "$here/../support/game_session.sh"
closer=$host/send_close_request grabber=$host/grab_window

export WINEPREFIX=$work/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver_cleanup() {
    session_cleanup
    wineserver -k 2>/dev/null
}
trap wineserver_cleanup EXIT

drive=$WINEPREFIX/drive_c
install_dir="$drive/Program Files/Vexar"
settings="$drive/users/$(id -un)/AppData/Roaming/Vexar/game.ini"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vexar'
start_button="596 432"
splash_points="320,170 150,350 530,320"

# The installed game, started as the Start-menu entry starts it (with the
# arguments given).
start_launcher() {
    (cd "$install_dir" && wine "C:\\Program Files\\Vexar\\vexar.exe" "$@") 2>"$work/stderr" &
    pid=$!
    launcher=$(timeout 60 xdotool search --sync --onlyvisible --name '^Vexar$' | head -1)
    [ -n "$launcher" ] || fail "no launcher window titled Vexar appeared"
    sleep 0.5  # drawn
}
start_game() {
    start_launcher
    # shellcheck disable=SC2086
    xdotool mousemove --sync --window "$launcher" $start_button click 1
    wait_for_game_window 300  # Wine is slower to open a window
}
count_lit() { python3 "$here/../app/e2e/count_pixels.py" "$@" || fail "could not read $1"; }
error_box() { xwininfo -root -tree | awk '$2 == "\"ERROR\":" { print $1; exit }'; }

start_display
wineboot --init >/dev/null 2>&1 || fail "no Wine prefix could be made"

case=install
wine "$setup" /S >/dev/null 2>&1
status=$?
[ "$status" -eq 0 ] || fail "the silent install ended with $status"
wineserver -w
for file in vexar.exe vexar-tool.exe uninstall.exe SDL2.dll media/splash.jpg media/DejaVuSans-Bold.ttf \
            README.txt licences/libsndfile.txt; do
    [ -e "$install_dir/$file" ] || fail "the install has no $file"
done
[ -e "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Vexar.lnk" ] || fail "no Start-menu entry"
wine reg query "$uninstall_key" /v UninstallString 2>/dev/null | grep -q 'uninstall.exe' ||
    fail "no uninstaller in Add/Remove Programs"

case=play
demo="$work/Zoë/play.demo"
mkdir -p "$(dirname "$demo")"
start_launcher --record "$demo"
xdotool getwindowgeometry "$launcher" | grep -q "Geometry: 640x480" ||
    fail "the launcher is not 640x480: $(xdotool getwindowgeometry "$launcher")"
# shellcheck disable=SC2086
lit=$("$grabber" "$launcher" "$work/launcher.png" $splash_points) || fail "no screenshot of the launcher"
! awk '$2 + $3 + $4 == 0 { found = 1 } END { exit !found }' <<<"$lit" || fail "the launcher shows no splash: $lit"
# shellcheck disable=SC2086
xdotool mousemove --sync --window "$launcher" $start_button click 1
wait_for_game_window 300
sleep 2  # a few frames
"$grabber" "$window" "$work/play.png" >/dev/null || fail "no screenshot of the game"
white=$(count_lit "$work/play.png" 0 456 80 480 600)
[ "$white" -gt 60 ] || fail "no score box text in the lower-left corner ($white white pixels)"
xdotool key q
wait_for_end
[ "$status" -eq 0 ] || fail "exit status $status after Q"
[ -f "$settings" ] || fail "no game.ini in %APPDATA%\\Vexar"
[ ! -e "$install_dir/media/game.ini" ] || fail "game.ini was written under Program Files"
tr -d '\r' <"$settings" | grep -qx 'Width=640' || fail "game.ini holds: $(cat "$settings")"
tr -d '\r' <"$settings" | grep -qx 'UseScreenRes=0' || fail "game.ini holds: $(cat "$settings")"
[ -s "$demo" ] || fail "no demo recorded"
"$host/vexar-tool" replay --demo "$demo" --media "$host/media" --out "$work/replayed" >"$work/replay.out" 2>&1 ||
    fail "the demo recorded on Windows does not play back the same on Linux: $(tail -3 "$work/replay.out")"

case=launcher_closed
cp "$settings" "$work/game.ini.before"
start_launcher
"$closer" "$launcher"
wait_for_end
[ "$status" -eq 255 ] || fail "exit status $status after closing the launcher"
cmp -s "$settings" "$work/game.ini.before" || fail "game.ini changed"

case=missing_model
mv "$install_dir/media/spaceRadar.a3f" "$work/"
start_game
box=""
for _ in $(seq 150); do
    box=$(error_box)
    [ -n "$box" ] && break
    sleep 0.2
done
[ -n "$box" ] || fail "no error box titled ERROR appeared"
grep -q 'Could not open file: .*spaceRadar.a3f The application will continue.' "$work/stderr" ||
    fail "the error box does not say which file is missing"
# The box can be listed before Wine has mapped it, and focusing it then fails
# (BadMatch): Return is pressed again until the box is gone.
for _ in $(seq 50); do
    box=$(error_box)
    [ -z "$box" ] && break
    xdotool windowfocus --sync "$box" key Return 2>/dev/null
    sleep 0.2
done
[ -z "$(error_box)" ] || fail "the error box did not close on Return"
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the game ended after the error box"
xdotool windowfocus --sync "$window" key q
wait_for_end
[ "$status" -eq 0 ] || fail "exit status $status"
mv "$work/spaceRadar.a3f" "$install_dir/media/"

case=uninstall
wine "$install_dir/uninstall.exe" /S >/dev/null 2>&1
for _ in $(seq 100); do
    [ -e "$install_dir/vexar.exe" ] || break
    sleep 0.2
done
wineserver -w
[ ! -e "$install_dir" ] || fail "the uninstall left: $(cd "$install_dir" && find . | head)"
[ ! -e "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Vexar.lnk" ] || fail "the Start-menu entry stayed"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the Add/Remove Programs entry stayed"
[ -f "$settings" ] || fail "the uninstall took the player's settings"
echo "ok (installer end to end)"
