#!/usr/bin/env bash
# Installs the built game into a scratch DESTDIR, checks the desktop entry and
# the AppStream metadata, and starts the installed game from its desktop
# entry's command in a private Xvfb, as a player who cannot write the
# installed folder: it must find its media (no error box), quit with Q with
# status 0, and keep game.ini in the player's own folder. Then uninstalls:
# every file and every folder the install made goes, the folders that were
# there before stay.
# usage: install_test.sh BUILD_FOLDER WORK_FOLDER UNINSTALL_SCRIPT DOC_FOLDER
set -uo pipefail
build=$1 work=$2 uninstall=$3 doc_folder=$4 case=install
source "$(dirname "$0")/../support/game_session.sh"

rm -rf "$work"
mkdir -p "$work"
# As root the game is played by the nobody user, who must reach the install
# and its home: they go to a folder of their own under /tmp, whatever the
# permissions of the folders above the build.
stage=$work
if [ "$(id -u)" -eq 0 ]; then
    stage=$(mktemp -d /tmp/vexar-install-test.XXXXXX) || fail "no scratch folder"
    chmod 755 "$stage"
fi
root=$stage/root prefix=/usr
# Folders that are there before the install, one with a file of another
# package in it, one empty: the uninstall leaves both.
mkdir -p "$root$prefix/share/applications" "$root$prefix/share/icons/hicolor"
touch "$root$prefix/share/applications/other.desktop"
# The build folder's manifest and record of folders belong to the
# developer's own install, which `make uninstall` removes: they are put back
# as they were.
records=(install_manifest.txt install_folders.txt)
for record in "${records[@]}"; do
    [ -f "$build/$record" ] && cp -p "$build/$record" "$work/own_$record"
done
DESTDIR=$root cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1
installed=$?
for record in "${records[@]}"; do
    mv "$build/$record" "$work/$record" 2>/dev/null
    [ -f "$work/own_$record" ] && mv "$work/own_$record" "$build/$record"
done
[ "$installed" -eq 0 ] || fail "install failed: $(tail -3 "$work/install.log")"
for doc in LICENSE README.md; do
    [ -s "$root$prefix/$doc_folder/$doc" ] || fail "no $doc in $prefix/$doc_folder"
done

desktop=$(ls "$root$prefix"/share/applications/*.desktop 2>/dev/null | head -1)
[ -n "$desktop" ] || fail "no desktop entry installed"
metainfo=$(ls "$root$prefix"/share/metainfo/*.metainfo.xml 2>/dev/null | head -1)
[ -n "$metainfo" ] || fail "no AppStream metadata installed"
desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
    fail "appstreamcli refused $metainfo: $(cat "$work/appstream.log")"
for size in 16 24 32 48 64 128 256; do
    [ -s "$root$prefix/share/icons/hicolor/${size}x$size/apps/vexar.png" ] || fail "no $size px icon"
done
[ -z "$(find "$root" -name '*.ttf' -o -name '*.sf2' -o -name '*.sf3' -o -name game.ini)" ] ||
    fail "copies of system files or a game.ini were installed"

exec_line=$(sed -n 's/^Exec=//p' "$desktop" | head -1)
[ "${exec_line#/}" != "$exec_line" ] || fail "Exec is not a full path: $exec_line"
command=$root$exec_line

# A player who may not write the installed folder: as root, the nobody user;
# otherwise the folder loses its write bits.
home=$stage/home
mkdir -p "$home"
game_folder=$(dirname "$(readlink -f "$command")")
media_folder=$(readlink -f "$game_folder/media")
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$home"
    chmod -R a+rX "$stage"
    player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    chmod -R a-w "$game_folder" "$media_folder"
    player=()
fi
# A sanitizer build's runtime (VEXAR_GAME_PRELOAD) goes into the game alone.
player+=(env -u XDG_DATA_HOME HOME="$home")
[ -n "${VEXAR_GAME_PRELOAD:-}" ] && player+=(LD_PRELOAD="$VEXAR_GAME_PRELOAD")

start_display
"${player[@]}" "$root$prefix/games/vexar-tool" check "$media_folder"/* >"$work/check.log" 2>&1 ||
    fail "the installed media do not load: $(grep -v '^[a-z-]*: ' "$work/check.log")"
# The installed tool finds the installed media as the game does: a demo the
# build's tool flew replays check for check, and a replay from a seed loads
# every model.
tool_run() {  # tool_run NAME COMMAND...
    "${@:2}" >"$work/$1.out" 2>"$work/$1.err"
    local tool_status=$?
    [ "$tool_status" -eq 0 ] && [ ! -s "$work/$1.err" ] ||
        fail "$1 ended with $tool_status: $(head -3 "$work/$1.err")"
}
tool_run autopilot "$build/vexar-tool" autopilot --plan attack --seed 3 --frames 140 \
    --out "$stage/flown.demo"
chmod a+r "$stage/flown.demo"
tool_run demo "${player[@]}" "$root$prefix/games/vexar-tool" replay --demo "$stage/flown.demo" \
    --out "$home/demo"
tool_run seed "${player[@]}" "$root$prefix/games/vexar-tool" replay --seed 1 --frames 2 --out "$home/seed"
play() {
    start_game "${player[@]}" "$command"
    enter_game
    quit_game
    wait_for_end
}
play
[ "$status" -eq 0 ] || fail "exit status $status"
expect_no_error_box
[ -f "$home/.local/share/vexar/game.ini" ] || fail "no game.ini in the player's own folder"
[ ! -e "$media_folder/game.ini" ] || fail "game.ini was written into the installed folder"

chmod -R u+w "$root"
DESTDIR=$root cmake -DMANIFEST="$work/install_manifest.txt" -DFOLDERS="$work/install_folders.txt" \
    -P "$uninstall" >"$work/uninstall.log" 2>&1 || fail "uninstall failed: $(cat "$work/uninstall.log")"
left=$(cd "$root" && find . -mindepth 1 | sort | tr '\n' ' ')
before="./usr ./usr/share ./usr/share/applications ./usr/share/applications/other.desktop ./usr/share/icons ./usr/share/icons/hicolor "
[ "$left" == "$before" ] || fail "after the uninstall there is: $left"
[ "$stage" == "$work" ] || rm -rf "$stage"
echo "ok (install)"
