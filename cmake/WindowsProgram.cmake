# Shared settings for every Windows binary of the product: ANSI Win32, a
# statically linked runtime (libgcc, libstdc++, winpthread), warnings on.
add_compile_definitions(WIN32_LEAN_AND_MEAN STRICT _WIN32_WINNT=0x0501 WINVER=0x0501)
add_compile_options(
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wall>
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wextra>)
add_link_options(-static -static-libgcc -static-libstdc++)

# The resource compiler sees the same include path as the sources.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 1252")

# A GUI program (no console) built from the given sources.
function(vrx_gui_program target)
  add_executable(${target} WIN32 ${ARGN})
  target_link_options(${target} PRIVATE -mwindows)
endfunction()
