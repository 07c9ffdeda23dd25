# The tools the build runs on the build machine: the version script generator
# (tools/vrigen) and the help compiler (tools/hlpc). A cross build makes them for the build
# machine in a tree of their own.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(host_tools_dir ${CMAKE_BINARY_DIR}/host-tools)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${host_tools_dir}
    CMAKE_GENERATOR Ninja
    CMAKE_ARGS -DTALLOWIN_HOST_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
    BUILD_COMMAND ${CMAKE_COMMAND} --build . --target vrigen hlpc
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${host_tools_dir}/tools/vrigen/vrigen ${host_tools_dir}/tools/hlpc/hlpc)
  set(TALLOWIN_VRIGEN ${host_tools_dir}/tools/vrigen/vrigen)
  set(TALLOWIN_HLPC ${host_tools_dir}/tools/hlpc/hlpc)
  set(TALLOWIN_HOST_TOOLS host_tools)
else()
  add_subdirectory(${CMAKE_SOURCE_DIR}/tools/vrigen ${CMAKE_BINARY_DIR}/tools/vrigen)
  add_subdirectory(${CMAKE_SOURCE_DIR}/tools/hlpc ${CMAKE_BINARY_DIR}/tools/hlpc)
  set(TALLOWIN_VRIGEN $<TARGET_FILE:vrigen>)
  set(TALLOWIN_HLPC $<TARGET_FILE:hlpc>)
  set(TALLOWIN_HOST_TOOLS vrigen hlpc)
endif()
