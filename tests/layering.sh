#!/usr/bin/env bash
# The seams the build keeps: only the platform library talks to SDL, SDL_ttf,
# FluidSynth, libjpeg, libpng, libsndfile, Dear ImGui and emscripten (their
# headers and their symbols), and the core library, which holds the world's update, calls
# no OpenGL.
# usage: layering.sh SOURCE_FOLDER CORE_LIBRARY DRAW_LIBRARY APP_LIBRARY
set -uo pipefail
src=$1 core=$2 draw=$3 app=$4
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
for library in "$core" "$draw" "$app"; do
    calls=$(undefined_calls "$library" "$libraries")
    if [ -n "$calls" ]; then
        echo "$(basename "$library") calls a platform library directly:"
        echo "$calls"
        status=1
    fi
done
calls=$(undefined_calls "$core" '^gl[A-Z]')
if [ -n "$calls" ]; then
    echo "$(basename "$core") calls OpenGL:"
    echo "$calls"
    status=1
fi
[ "$status" -eq 0 ] && echo "ok: the platform and OpenGL seams hold"
exit $status
