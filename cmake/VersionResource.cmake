# Version information for our own binaries, made the way the product makes it for a
# user's project: the version script is generated from a VRI file by the product's own
# code (tools/vrigen, built for the build machine), compiled by windres on the build
# machine (cmake/windres_version.sh), and linked in as an object.
include(${CMAKE_CURRENT_LIST_DIR}/HostTools.cmake)

function(tallowin_version_resource target vri)
  get_filename_component(name ${vri} NAME_WE)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc)
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.RES)
  set(obj ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.o)
  add_custom_command(OUTPUT ${rc}
    COMMAND ${TALLOWIN_VRIGEN} ${vri} ${rc}
    DEPENDS ${TALLOWIN_HOST_TOOLS} ${vri}
    COMMENT "Generating the version script of ${target} from ${name}.vri"
    VERBATIM)
  add_custom_command(OUTPUT ${obj}
    COMMAND bash ${CMAKE_SOURCE_DIR}/cmake/windres_version.sh ${CMAKE_RC_COMPILER} ${rc} ${res}
    COMMAND ${CMAKE_RC_COMPILER} -J res -O coff -i ${res} -o ${obj}
    DEPENDS ${rc} ${CMAKE_SOURCE_DIR}/cmake/windres_version.sh
    VERBATIM)
  target_sources(${target} PRIVATE ${obj})
endfunction()
