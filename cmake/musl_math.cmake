# vexar_musl_math: musl's float sine and cosine under names of their own
# (src/math/portable_math.h says why). On Linux the objects come from
# Debian's musl-dev; the Windows and web builds compile the same source
# (scripts/windows-deps, scripts/web-deps).
add_library(vexar_musl_math STATIC IMPORTED GLOBAL)
if(WIN32)
  set_target_properties(vexar_musl_math PROPERTIES
    IMPORTED_LOCATION ${VEXAR_WINDOWS_PREFIX}/lib/libvexar_musl_math.a)
elseif(EMSCRIPTEN)
  set_target_properties(vexar_musl_math PROPERTIES
    IMPORTED_LOCATION ${VEXAR_WEB_PREFIX}/lib/libvexar_musl_math.a)
else()
  find_file(MUSL_LIBC libc.a PATHS /usr/lib/x86_64-linux-musl /usr/lib/musl/lib NO_DEFAULT_PATH)
  if(NOT MUSL_LIBC)
    message(FATAL_ERROR "musl's libc.a not found: install musl-dev")
  endif()
  set(musl_names ${CMAKE_SOURCE_DIR}/cmake/musl-math/names.h)
  set(musl_math ${CMAKE_BINARY_DIR}/musl-math/libvexar_musl_math.a)
  add_custom_command(OUTPUT ${musl_math}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/musl-math
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/musl-math/extract.sh ${MUSL_LIBC} ${musl_names} ${musl_math}
    DEPENDS ${MUSL_LIBC} ${musl_names} ${CMAKE_SOURCE_DIR}/cmake/musl-math/extract.sh
    COMMENT "musl's sinf and cosf under the game's names")
  add_custom_target(vexar_musl_math_objects DEPENDS ${musl_math})
  set_target_properties(vexar_musl_math PROPERTIES IMPORTED_LOCATION ${musl_math})
  add_dependencies(vexar_musl_math vexar_musl_math_objects)
endif()
