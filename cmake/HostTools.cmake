# Builds tools/ with the build machine's native compiler, as a separate CMake
# project under <build>/host, and names the programs for custom commands.
include(ExternalProject)
set(VRX_HOST_DIR ${CMAKE_BINARY_DIR}/host)
set(VRX_HOST_TOOLS make_pictures make_background make_sounds pe_import_check)
set(_vrx_host_byproducts)
foreach(tool ${VRX_HOST_TOOLS})
  set(VRX_HOST_${tool} ${VRX_HOST_DIR}/${tool})
  list(APPEND _vrx_host_byproducts ${VRX_HOST_DIR}/${tool})
endforeach()
ExternalProject_Add(host_tools
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools
  BINARY_DIR ${VRX_HOST_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${_vrx_host_byproducts})
