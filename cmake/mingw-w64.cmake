# Cross build for 64-bit Windows with Debian's mingw-w64 (the posix-thread
# compilers, for std::thread). The libraries built by scripts/windows-deps are
# found through VEXAR_WINDOWS_PREFIX (or the environment variable of that name).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

if(NOT VEXAR_WINDOWS_PREFIX AND DEFINED ENV{VEXAR_WINDOWS_PREFIX})
  set(VEXAR_WINDOWS_PREFIX $ENV{VEXAR_WINDOWS_PREFIX})
endif()
# Passed on to the compiler checks CMake runs in projects of their own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VEXAR_WINDOWS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${VEXAR_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config looks at the Windows libraries alone, never at the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} "${VEXAR_WINDOWS_PREFIX}/lib/pkgconfig:/usr/${triple}/lib/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
set(ENV{PKG_CONFIG_PATH} "")
