#!/bin/sh
# Takes the float sine and cosine objects out of Debian's musl-dev and gives
# their symbols the names of cmake/musl-math/names.h, so they stand beside
# glibc's own.
# usage: extract.sh MUSL_LIBC_A NAMES_H OUT_ARCHIVE
set -eu
libc=$1 names=$2 out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
renames=""
members=""
for pair in $(sed -n 's/^#define \([a-z_0-9]*\) \(vexar_musl_[a-z_0-9]*\)$/\1=\2/p' "$names"); do
  renames="$renames --redefine-sym $pair"
  members="$members ${pair%%=*}.lo"
done
(cd "$work" && ar x "$libc" $members)
for member in $members; do
  objcopy $renames "$work/$member" "$work/${member%.lo}.o"
done
rm -f "$out"
ar rcs "$out" "$work"/*.o
