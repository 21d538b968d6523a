#!/usr/bin/env bash
# The zip's DLLs against what its programs and DLLs import: every imported DLL
# that Windows does not have itself (Wine's own DLLs stand for Windows') must
# be in the zip, and the zip must hold no DLL that nothing imports. A missing
# DLL would stop the game on a player's machine; an extra one is dead weight.
# Also: the game is a windowed program with its icon, the tool a console one.
# usage: package_check.sh ZIP WORK_FOLDER
set -uo pipefail
zip=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
unzip -q "$zip" -d "$work" || { echo "FAIL: cannot unpack $zip" >&2; exit 1; }
top=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -1)
system_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
lower() { tr '[:upper:]' '[:lower:]'; }

shipped=$(cd "$top" && ls *.dll 2>/dev/null | lower | sort)
needed=$(for file in "$top"/*.exe "$top"/*.dll; do
           [ -e "$file" ] && x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'
         done | lower | sort -u |
         while read -r dll; do [ -e "$system_dlls/$dll" ] || echo "$dll"; done)
status=0
missing=$(comm -13 <(echo "$shipped") <(echo "$needed") | sed '/^$/d')
extra=$(comm -23 <(echo "$shipped") <(echo "$needed") | sed '/^$/d')
[ -z "$missing" ] || { echo "FAIL: imported but not in the zip: $missing" >&2; status=1; }
[ -z "$extra" ] || { echo "FAIL: in the zip but imported by nothing: $extra" >&2; status=1; }
for program in vexar.exe vexar-tool.exe; do
    [ -e "$top/$program" ] || { echo "FAIL: the zip has no $program" >&2; status=1; }
done
# The compiler's runtime is linked in, never shipped.
grep -qiE 'libstdc\+\+|libgcc|libwinpthread' <<<"$needed" && { echo "FAIL: a compiler runtime DLL is needed" >&2; status=1; }
subsystem() { x86_64-w64-mingw32-objdump -p "$top/$1" | sed -n 's/^Subsystem\s.*(\(.*\))/\1/p'; }
[ "$(subsystem vexar.exe)" = "Windows GUI" ] || { echo "FAIL: vexar.exe would open a console" >&2; status=1; }
[ "$(subsystem vexar-tool.exe)" = "Windows CUI" ] || { echo "FAIL: vexar-tool.exe is no console program" >&2; status=1; }
# Resource type 14 is an icon group, the icon Explorer shows.
x86_64-w64-mingw32-objdump -p "$top/vexar.exe" | grep -q 'Entry: ID: 0x00000e,' ||
    { echo "FAIL: vexar.exe carries no icon" >&2; status=1; }
[ $status -eq 0 ] && echo "ok: the zip ships $(echo $shipped); a windowed game with its icon and a console tool"
exit $status
