# The Windows build's libraries (scripts/windows-deps builds them into
# VEXAR_WINDOWS_PREFIX), under the target names the Linux build gets from
# pkg-config, so the rest of the build names them alike.
if(NOT VEXAR_WINDOWS_PREFIX OR NOT EXISTS ${VEXAR_WINDOWS_PREFIX}/.complete)
  message(FATAL_ERROR "VEXAR_WINDOWS_PREFIX must name the libraries scripts/windows-deps built")
endif()
list(PREPEND CMAKE_PREFIX_PATH ${VEXAR_WINDOWS_PREFIX})

# SDL's own CMake files, not its pkg-config file: that one makes every program
# a windowed one (-mwindows), and vexar-tool and the tests are console programs.
find_package(SDL2 CONFIG REQUIRED)
find_package(SDL2_ttf CONFIG REQUIRED)
add_library(PkgConfig::SDL2 INTERFACE IMPORTED GLOBAL)
target_link_libraries(PkgConfig::SDL2 INTERFACE SDL2::SDL2)
add_library(PkgConfig::SDL2_TTF INTERFACE IMPORTED GLOBAL)
target_link_libraries(PkgConfig::SDL2_TTF INTERFACE SDL2_ttf::SDL2_ttf)

pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET GLOBAL sndfile)

# libpng, libjpeg and Dear ImGui are linked in; zlib is Debian's mingw build.
include(cmake/prefix_libraries.cmake)
vexar_prefix_libraries(${VEXAR_WINDOWS_PREFIX} SDL2::SDL2 opengl32)
find_package(JPEG REQUIRED)
find_package(OpenGL REQUIRED)

# winmm: the MIDI mapper, the timer and the clock; shell32: the known folders.
set(VEXAR_SYSTEM_LIBRARIES winmm shell32)
# The compiler's own runtime (libstdc++, libgcc, winpthreads) goes into each
# program, so the only DLLs to ship are the libraries' own (SDL2, SDL2_ttf,
# libsndfile), whose import libraries are named by their paths. Windows' own
# DLLs come through mingw-w64's import libraries, which are static archives.
add_link_options(-static)
# The C library's printf that follows C99 (as glibc's), so every figure a
# program writes reads the same on both systems.
# M_PI and friends, which glibc gives C++ programs by default.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 _USE_MATH_DEFINES)

# The DLLs beside the programs in the build folder, as in the package.
set(VEXAR_WINDOWS_DLLS ${VEXAR_WINDOWS_PREFIX}/bin/SDL2.dll ${VEXAR_WINDOWS_PREFIX}/bin/SDL2_ttf.dll
    ${VEXAR_WINDOWS_PREFIX}/bin/libsndfile.dll)
file(COPY ${VEXAR_WINDOWS_DLLS} DESTINATION ${CMAKE_BINARY_DIR})

# The build's programs run under Wine (the tests, listed and run by CTest).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)
