#!/usr/bin/env bash
# The seams the build keeps: only the platform library talks to SDL, SDL_ttf,
# FluidSynth, libjpeg, libpng, libsndfile, Dear ImGui and emscripten (their
# headers and their symbols), and only the renderer (src/render) and the
# launcher's own drawing call OpenGL.
# usage: layering.sh SOURCE_FOLDER PLATFORM_LIBRARY CORE_LIBRARY RENDER_LIBRARY APP_LIBRARY
set -uo pipefail
src=$1 platform=$2 core=$3 render=$4 app=$5
status=0

headers='#include *[<"](SDL|SDL_ttf|fluidsynth|jpeglib|png|sndfile|imgui|emscripten)[._/]'
found=$(grep -rnE "$headers" "$src" --include='*.cpp' --include='*.h' | grep -v "^$src/platform/")
if [ -n "$found" ]; then
    echo "platform library headers included outside src/platform:"
    echo "$found"
    status=1
fi

# undefined_calls LIBRARY PATTERN: the library's calls of symbols matching the pattern.
undefined_calls() { nm -u --demangle "$1" | awk '{print $2}' | grep -E "$2" | sort -u; }

libraries='^(SDL_|TTF_|fluid_|new_fluid|delete_fluid|jpeg_|png_|sf_|ImGui)'
for library in "$core" "$render" "$app"; do
    calls=$(undefined_calls "$library" "$libraries")
    if [ -n "$calls" ]; then
        echo "$(basename "$library") calls a platform library directly:"
        echo "$calls"
        status=1
    fi
done
# OpenGL: no call in the sources outside the renderer and the launcher, and
# none in the libraries' objects outside them either.
# The launcher's drawing is one file per renderer (and, with ES 2, Dear
# ImGui's back end compiled into the platform library).
launcher='launcher_drawing_[a-z0-9]+'
found=$(grep -rnE '\bgl[A-Z][A-Za-z0-9]*[[:space:]]*\(' "$src" --include='*.cpp' --include='*.h' |
        grep -v "^$src/render/" | grep -vE "^$src/platform/$launcher\.cpp:")
if [ -n "$found" ]; then
    echo "OpenGL called outside src/render and the launcher:"
    echo "$found"
    status=1
fi
for library in "$platform" "$core" "$app"; do
    calls=$(nm -A -u --demangle "$library" 2>/dev/null | grep -vE "[:/]($launcher|imgui_impl_opengl3)\.cpp\.o" |
            awk '{print $NF}' | grep -E '^gl[A-Z]' | sort -u)
    if [ -n "$calls" ]; then
        echo "$(basename "$library") calls OpenGL outside the renderer and the launcher:"
        echo "$calls"
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "ok: the platform and renderer seams hold"
exit $status
