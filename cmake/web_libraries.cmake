# The web build's libraries (scripts/web-deps builds them into VEXAR_WEB_PREFIX
# with Debian's emscripten), under the target names the Linux build gets from
# pkg-config, so the rest of the build names them alike.
if(NOT VEXAR_WEB_PREFIX OR NOT EXISTS ${VEXAR_WEB_PREFIX}/.complete)
  message(FATAL_ERROR "VEXAR_WEB_PREFIX must name the libraries scripts/web-deps built")
endif()
# Emscripten's toolchain looks for libraries below its own sysroot only.
list(PREPEND CMAKE_FIND_ROOT_PATH ${VEXAR_WEB_PREFIX})
list(PREPEND CMAKE_PREFIX_PATH ${VEXAR_WEB_PREFIX})

find_package(SDL2 CONFIG REQUIRED)
find_package(SDL2_ttf CONFIG REQUIRED)
add_library(PkgConfig::SDL2 INTERFACE IMPORTED GLOBAL)
target_link_libraries(PkgConfig::SDL2 INTERFACE SDL2::SDL2-static)
add_library(PkgConfig::SDL2_TTF INTERFACE IMPORTED GLOBAL)
target_link_libraries(PkgConfig::SDL2_TTF INTERFACE SDL2_ttf::SDL2_ttf-static)

find_package(SndFile CONFIG REQUIRED)
add_library(PkgConfig::SNDFILE INTERFACE IMPORTED GLOBAL)
target_link_libraries(PkgConfig::SNDFILE INTERFACE SndFile::sndfile)

include(cmake/prefix_libraries.cmake)
vexar_prefix_libraries(${VEXAR_WEB_PREFIX} SDL2::SDL2-static)
find_package(JPEG REQUIRED)
# WebGL comes with emscripten's own library, as OpenGL ES 2.
add_library(OpenGL::GL INTERFACE IMPORTED GLOBAL)
add_library(PkgConfig::GLESV2 INTERFACE IMPORTED GLOBAL)

# The page's programs: memory that grows with the media, the browser's
# storage for game.ini, and Asyncify, which lets the game's own loops give
# the page back to the browser where they wait (emscripten_sleep) instead of
# being cut into callbacks. No threads: those need cross-origin isolation.
add_link_options(-sALLOW_MEMORY_GROWTH=1 -sASYNCIFY -lidbfs.js -sFORCE_FILESYSTEM=1)

# The build's programs run under node (the tests, listed and run by CTest).
# Its own fetch would stand in for the file system the older emscripten reads
# the WebAssembly from.
find_program(VEXAR_NODE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXAR_NODE};--no-experimental-fetch)
