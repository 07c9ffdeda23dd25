# Version information for our own binaries, made the way the product makes it for a
# user's project: the version script is generated from a VRI file by the product's own
# code (tools/vrigen, built for the build machine), compiled by the resource compiler
# stand-in, and linked in as an object.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/host-tools
    CMAKE_GENERATOR Ninja
    CMAKE_ARGS -DTALLOWIN_HOST_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
    BUILD_COMMAND ${CMAKE_COMMAND} --build . --target vrigen
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/host-tools/tools/vrigen/vrigen)
  set(TALLOWIN_VRIGEN ${CMAKE_BINARY_DIR}/host-tools/tools/vrigen/vrigen)
  set(TALLOWIN_VRIGEN_TARGET host_tools)
else()
  add_subdirectory(${CMAKE_SOURCE_DIR}/tools/vrigen ${CMAKE_BINARY_DIR}/tools/vrigen)
  set(TALLOWIN_VRIGEN $<TARGET_FILE:vrigen>)
  set(TALLOWIN_VRIGEN_TARGET vrigen)
endif()

function(tallowin_version_resource target vri)
  get_filename_component(name ${vri} NAME_WE)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc)
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.RES)
  set(obj ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.o)
  add_custom_command(OUTPUT ${rc}
    COMMAND ${TALLOWIN_VRIGEN} ${vri} ${rc}
    DEPENDS ${TALLOWIN_VRIGEN_TARGET} ${vri}
    COMMENT "Generating the version script of ${target} from ${name}.vri"
    VERBATIM)
  add_custom_command(OUTPUT ${obj}
    COMMAND bash ${CMAKE_SOURCE_DIR}/tools/brc32 -r ${rc}
    COMMAND ${CMAKE_RC_COMPILER} -J res -O coff -i ${res} -o ${obj}
    DEPENDS ${rc} ${CMAKE_SOURCE_DIR}/tools/brc32
    VERBATIM)
  target_sources(${target} PRIVATE ${obj})
endfunction()
