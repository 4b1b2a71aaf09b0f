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
