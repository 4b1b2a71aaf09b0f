# Lays out the distribution medium at <build>/dist:
#   MARLO.EXE, sounds\*.wav, pictures\*.bmp, pictures\VRXSaver.scr, pictures\ssunins.exe
set(VRX_SAMPLES_DIR ${CMAKE_BINARY_DIR}/samples)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/stamps)
set(_pictures_stamp ${CMAKE_BINARY_DIR}/stamps/pictures.stamp)
set(_sounds_stamp ${CMAKE_BINARY_DIR}/stamps/sounds.stamp)

add_custom_command(OUTPUT ${_pictures_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VRX_SAMPLES_DIR} ${VRX_DIST_DIR}/pictures
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VRX_SAMPLES_DIR} ${VRX_DIST_DIR}/pictures
  COMMAND ${VRX_HOST_make_pictures} ${VRX_SAMPLES_DIR} ${VRX_DIST_DIR}/pictures
  COMMAND ${CMAKE_COMMAND} -E touch ${_pictures_stamp}
  DEPENDS host_tools ${VRX_HOST_make_pictures}
  COMMENT "Generating sample pictures")
add_custom_command(OUTPUT ${_sounds_stamp}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VRX_DIST_DIR}/sounds
  COMMAND ${VRX_HOST_make_sounds} ${VRX_DIST_DIR}/sounds
  COMMAND ${CMAKE_COMMAND} -E touch ${_sounds_stamp}
  DEPENDS host_tools ${VRX_HOST_make_sounds}
  COMMENT "Generating the sound scheme's sounds")

set(_dist_programs)
if(TARGET MARLO)
  list(APPEND _dist_programs COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:MARLO> ${VRX_DIST_DIR}/MARLO.EXE)
endif()
list(APPEND _dist_programs COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:VRXSaver> ${VRX_DIST_DIR}/pictures/VRXSaver.scr)
if(TARGET ssunins)
  list(APPEND _dist_programs COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:ssunins> ${VRX_DIST_DIR}/pictures/ssunins.exe)
endif()

add_custom_target(dist ALL
  ${_dist_programs}
  DEPENDS ${_pictures_stamp} ${_sounds_stamp}
  COMMENT "Laying out the distribution medium in ${VRX_DIST_DIR}")
add_dependencies(dist VRXSaver)
foreach(t MARLO ssunins)
  if(TARGET ${t})
    add_dependencies(dist ${t})
  endif()
endforeach()

# The medium as people move it onto a PC or a virtual machine: <build>/VRX2.iso
# (ISO 9660 with Joliet names, volume VRX2) and <build>/VRX2.zip, each holding
# the tree of dist/ at its root. Only the 32-bit build, the product, makes them.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  find_program(VRX_XORRISO xorriso REQUIRED)
  find_program(VRX_ZIP zip REQUIRED)
  set(VRX_MEDIUM_ISO ${CMAKE_BINARY_DIR}/VRX2.iso)
  set(VRX_MEDIUM_ZIP ${CMAKE_BINARY_DIR}/VRX2.zip)
  add_custom_target(media ALL
    COMMAND ${CMAKE_COMMAND} -E rm -f ${VRX_MEDIUM_ISO} ${VRX_MEDIUM_ZIP}
    COMMAND ${VRX_XORRISO} -as mkisofs -quiet -joliet -volid VRX2 -output ${VRX_MEDIUM_ISO} ${VRX_DIST_DIR}
    COMMAND ${VRX_ZIP} -q -r -X ${VRX_MEDIUM_ZIP} .
    WORKING_DIRECTORY ${VRX_DIST_DIR}
    BYPRODUCTS ${VRX_MEDIUM_ISO} ${VRX_MEDIUM_ZIP}
    COMMENT "Writing the medium as VRX2.iso and VRX2.zip")
  add_dependencies(media dist)
endif()
