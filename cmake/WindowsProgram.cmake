# Shared settings for every Windows binary of the product: ANSI Win32, a
# statically linked runtime (libgcc, libstdc++ of the win32 thread model, no
# winpthread), warnings on.
add_compile_definitions(WIN32_LEAN_AND_MEAN STRICT _WIN32_WINNT=0x0501 WINVER=0x0501)
add_compile_options(
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wall>
  $<$<COMPILE_LANGUAGE:C,CXX>:-Wextra>)
add_link_options(-static -static-libgcc -static-libstdc++)

# The resource compiler sees the same include path as the sources.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 1252")

# A GUI program (no console) built from the given sources, with the runtime's
# wide-character kernel calls answered in ANSI form (common/ansi_imports.cpp).
# The 32-bit programs say in their PE headers that they run on Windows 4.0
# (95 and NT 4.0); the 64-bit ones keep the linker's defaults.
function(vrx_gui_program target)
  add_executable(${target} WIN32 ${ARGN} $<TARGET_OBJECTS:ansi_imports>)
  target_link_options(${target} PRIVATE -mwindows)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE
      -Wl,--major-os-version,4,--minor-os-version,0,--major-subsystem-version,4,--minor-subsystem-version,0)
  endif()
endfunction()
