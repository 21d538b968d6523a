#!/usr/bin/env bash
# vexar-tool.exe with file names beyond the local code page (a player's folder
# named "Zoë 日本"): Windows hands the command line over in UTF-16, the tool
# reads it as UTF-8 and opens the files by their wide names.
# usage: tool_unicode.sh VEXAR_TOOL_EXE MEDIA_FOLDER WORK_FOLDER
set -uo pipefail
tool=$1 media=$2 work=$3
folder="$work/Zoë 日本"
rm -rf "$work"
mkdir -p "$folder"
cp "$media/splash.jpg" "$media/spaceRadar.a3f" "$media/radar.tga" "$folder/"
"$(dirname "$0")/../../scripts/wine-run" "$tool" check "$folder/splash.jpg" "$folder/spaceRadar.a3f" \
    >"$work/out" 2>&1
status=$?
[ $status -eq 0 ] || { echo "FAIL: vexar-tool check ended with $status:" >&2; cat "$work/out" >&2; exit 1; }
grep -q "file: .*Zoë 日本.splash.jpg" "$work/out" || { echo "FAIL: the name came out garbled:" >&2; cat "$work/out" >&2; exit 1; }
echo "ok: $(wc -l <"$work/out") lines about the two files"
