# The libraries that the Windows and web builds link in from the prefix their
# deps script built (libpng with zlib, libjpeg, Dear ImGui), under the target
# names the Linux build gets from pkg-config.
#   vexar_prefix_libraries(PREFIX IMGUI_LINKS...): IMGUI_LINKS are what Dear
#   ImGui's archive needs after it (SDL, the GL library).
function(vexar_prefix_libraries prefix)
  find_library(VEXAR_ZLIB libz.a REQUIRED)
  find_library(VEXAR_PNG libpng16.a REQUIRED)
  add_library(PkgConfig::PNG INTERFACE IMPORTED GLOBAL)
  target_include_directories(PkgConfig::PNG INTERFACE ${prefix}/include)
  target_link_libraries(PkgConfig::PNG INTERFACE ${VEXAR_PNG} ${VEXAR_ZLIB})
  # A static library of its own, so the linker meets SDL after it.
  add_library(PkgConfig::IMGUI STATIC IMPORTED GLOBAL)
  set_target_properties(PkgConfig::IMGUI PROPERTIES
    IMPORTED_LOCATION ${prefix}/lib/libimgui.a
    INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include/imgui
    INTERFACE_LINK_LIBRARIES "${ARGN}")
endfunction()
