# Shared by scripts/windows-deps and scripts/web-deps: installing Debian
# packages, the deb-src entry, and building libraries from Debian's own source
# packages into a cache folder named after their versions. Sourced, not run.
#
# The sourcing script sets `name` (its name, for messages) before sourcing,
# and `work` (the scratch folder) before calling fetch or step.

say() { echo "$name: $*" >&2; }

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# install_packages PACKAGE...: installs those not installed yet, after adding
# deb-src for the suites the machine already uses, so that `apt-get source`
# gives the very versions Debian builds its own packages from.
install_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  local sources_entry=/etc/apt/sources.list.d/vexar-deb-src.sources added_sources=0
  if [ ! -e "$sources_entry" ] && ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    say "adding the deb-src entry $sources_entry"
    $sudo tee "$sources_entry" >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    added_sources=1
  fi
  if [ ${#missing[@]} -gt 0 ] || [ $added_sources -eq 1 ]; then
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    if [ ${#missing[@]} -gt 0 ]; then
      say "installing ${missing[*]}"
      $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
  fi
}

# source_versions SOURCE...: fills `version` (declare -A version first) and
# appends " SOURCE=VERSION" for each to `key_text`.
source_versions() {
  local s
  for s in "$@"; do
    version[$s]=$(apt-cache showsrc "$s" | awk '/^Version:/ {print $2; exit}')
    [ -n "${version[$s]}" ] || { say "no source package $s (is deb-src set up?)"; exit 1; }
    key_text+=" $s=${version[$s]}"
  done
}

# fetch SOURCE: unpacks Debian's source package (with Debian's patches) in $work
# and prints its folder.
fetch() {
  local source=$1 folder
  folder=$(find "$work/src-$source" -mindepth 1 -maxdepth 1 -type d 2>/dev/null | head -n1)
  if [ -z "$folder" ]; then
    rm -rf "$work/src-$source"
    mkdir -p "$work/src-$source"
    (cd "$work/src-$source" && apt-get source -qq "$source=${version[$source]}" >/dev/null 2>&1 ||
      apt-get source "$source=${version[$source]}" >&2)
    folder=$(find "$work/src-$source" -mindepth 1 -maxdepth 1 -type d | head -n1)
  fi
  echo "$folder"
}

# step NAME FUNCTION: runs a library's build once; a failed run resumes at the
# library that failed.
step() {
  local library=$1
  [ -e "$work/$library.done" ] && return 0
  say "$library ${version[$library]:-}"
  if ! "$2"; then
    say "$library failed; the end of $work/$library.log:"
    tail -n 30 "$work/$library.log" >&2
    exit 1
  fi
  touch "$work/$library.done"
}

# copy_licence SOURCE FILE_IN_SOURCE NAME: a library's licence into
# $prefix/share/licences, to ship beside the game.
copy_licence() {
  local folder
  folder=$(fetch "$1")
  mkdir -p "$prefix/share/licences"
  cp "$folder/$2" "$prefix/share/licences/$3"
}

# The maths functions whose last bit differs between C libraries (the sine
# and cosine of floats), from musl's libm (FreeBSD's msun): the source Debian's
# musl-dev is built from, compiled as musl compiles it, under the names the
# Linux build gives musl-dev's own objects, so every build computes the same
# bits. build_musl_math_with CC AR puts libvexar_musl_math.a in $prefix/lib.
musl_math_files() {
  sed -n 's/^#define \(__\)*\([a-z_0-9]*\) vexar_musl_.*/\1\2/p' "$source_tree/cmake/musl-math/names.h"
}
build_musl_math_with() {
  local cc=$1 ar=$2 folder build=$work/build-musl file
  folder=$(fetch musl)
  rm -rf "$build"
  mkdir -p "$build" "$prefix/lib"
  local shim=$source_tree/cmake/musl-math
  for file in $(musl_math_files); do
    $cc -std=c99 -O2 -fno-builtin -fexcess-precision=standard -frounding-math \
      -ffp-contract=off -include "$shim/names.h" -I"$shim" -I"$folder/src/internal" \
      -I"$folder/arch/generic" -c "$folder/src/math/$file.c" -o "$build/$file.o" \
      >> "$work/musl.log" 2>&1 || return 1
  done
  $ar rcs "$prefix/lib/libvexar_musl_math.a" "$build"/*.o
}

# Dear ImGui ships no build of its own: the core and the two back ends the
# launcher uses, as a static library laid out like Debian's libimgui-dev.
# build_imgui_with CXX AR GL_BACKEND GL_LIBS (GL_BACKEND: opengl2 or opengl3).
build_imgui_with() {
  local cxx="nice $1 -O2 -std=c++17" ar=$2 backend=$3 gl_libs=$4 folder file
  folder=$(fetch imgui)
  local build=$work/build-imgui
  rm -rf "$build"
  mkdir -p "$build" "$prefix/include/imgui/backends" "$prefix/lib/pkgconfig"
  local objects=()
  for file in imgui imgui_draw imgui_tables imgui_widgets backends/imgui_impl_sdl backends/imgui_impl_$backend; do
    $cxx -I"$folder" -I"$prefix/include/SDL2" -c "$folder/$file.cpp" -o "$build/$(basename "$file").o" \
      >> "$work/imgui.log" 2>&1 || return 1
    objects+=("$build/$(basename "$file").o")
  done
  $ar rcs "$prefix/lib/libimgui.a" "${objects[@]}"
  cp "$folder"/imgui.h "$folder"/imconfig.h "$folder"/imgui_internal.h "$folder"/imstb_*.h \
    "$prefix/include/imgui/"
  cp "$folder"/backends/imgui_impl_sdl.h "$folder"/backends/imgui_impl_$backend.h \
    "$prefix/include/imgui/backends/"
  [ ! -e "$folder/backends/imgui_impl_${backend}_loader.h" ] ||
    cp "$folder/backends/imgui_impl_${backend}_loader.h" "$prefix/include/imgui/backends/"
  cp "$folder/LICENSE.txt" "$prefix/include/imgui/LICENSE.txt"
  local upper=${backend^^}
  cat > "$prefix/lib/pkgconfig/imgui.pc" <<PC
prefix=$prefix
Name: imgui
Description: Dear ImGui with its SDL2 and ${upper/OPENGL/OpenGL} back ends
Version: ${version[imgui]}
Requires: sdl2
Cflags: -I\${prefix}/include/imgui
Libs: -L\${prefix}/lib -limgui $gl_libs
PC
}
