#!/usr/bin/env bash
# The save of game.ini at exit on a full disk: the game ends as it always
# does (status 0), keeps the old file, and says in one line on standard error
# which file was not saved and why. The disk is a real one that fills up: a
# tmpfs, mounted in a mount namespace of the test's own (unshare; no
# root needed where user namespaces are allowed), a megabyte larger than the
# game, holding the game and its media (linked) and then a filler file up to
# the last block. Where no namespace can
# be made, the temporary file of the save is a link to /dev/full, which
# answers every write with the same "No space left on device".
# usage: settings_full_disk.sh VEXAR MEDIA_FOLDER WORK_FOLDER
set -uo pipefail
game=$1 media=$2 work=$3 case=settings_full_disk
source "$(dirname "$0")/../../support/game_session.sh"

rm -rf "$work"
mkdir -p "$work/disk"
old=$'; kept by hand\n[Game]\nWidth=800\nHeight=600\n'

# Runs in the namespace (or without one): the game in $work/disk with its
# media linked in and the old game.ini, the disk filled; afterwards game.ini
# is copied out, as the tmpfs goes with the namespace.
cat >"$work/inner.sh" <<EOF
set -u
disk="$work/disk"
if [ "\$1" = tmpfs ]; then
    mount -t tmpfs -o size=$(( $(stat -c %s "$game") / 1048576 + 2 ))m vexar-full-disk "\$disk" || exit 90
fi
mkdir -p "\$disk/media"
cp "$game" "\$disk/vexar"
for file in "$media"/*; do
    case \${file##*/} in game.ini*) continue ;; esac
    ln -s "\$file" "\$disk/media/"
done
printf '%s' "$old" >"\$disk/media/game.ini"
if [ "\$1" = tmpfs ]; then
    dd if=/dev/zero of="\$disk/filler" bs=4096 2>/dev/null
    [ "\$(df --output=avail "\$disk" | tail -1)" -eq 0 ] || exit 91
else
    ln -s /dev/full "\$disk/media/game.ini.tmp"
fi
LD_PRELOAD="${VEXAR_GAME_PRELOAD:-}" "\$disk/vexar"
status=\$?
cp "\$disk/media/game.ini" "$work/game.ini.after"
exit \$status
EOF

method=devfull
unshare --user --map-root-user --mount true 2>/dev/null && method=tmpfs
start_display
if [ "$method" = tmpfs ]; then
    start_game unshare --user --map-root-user --mount bash "$work/inner.sh" tmpfs
else
    start_game bash "$work/inner.sh" devfull
fi
enter_game
quit_game
wait_for_end
echo "the disk: $method"
[ "$status" -eq 0 ] || fail "exit status $status on a full disk"
[ "$(cat "$work/game.ini.after")" = "$(printf '%s' "$old")" ] ||
    fail "game.ini changed: $(cat "$work/game.ini.after")"
[ "$(grep -c 'settings were not saved' "$work/stderr")" -eq 1 ] || fail "no line about the lost settings"
grep -qx "vexar: the settings were not saved to $work/disk/media/game.ini: No space left on device" \
    "$work/stderr" || fail "the line does not name the file and the reason"
echo "ok ($case)"
