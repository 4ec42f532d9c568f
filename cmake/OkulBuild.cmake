# Shared compile settings of the project.

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
endif()

# The Windows build formats numbers with MinGW's C99 printf family rather than
# the system's msvcrt.dll, so that texts and reports come out as on Linux
# (and %zu is understood).
if(MINGW)
  add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)
endif()

# Texts of the console are Windows-1251 bytes: sources stay UTF-8, narrow
# literals are compiled as CP1251.
# Clang accepts only UTF-8 as execution character set: a clang build (used for
# the fuzz targets) keeps its texts in UTF-8, so byte-exact text tests hold
# only in GCC builds.
function(okul_cp1251 target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8)
  else()
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP1251)
  endif()
endfunction()

# A part of a vessel module: static, position independent, symbols hidden so
# that two modules loaded side by side can never bind to each other's code.
function(okul_module_part target)
  target_link_libraries(${target} PUBLIC orbiter_sdk)
  if(WIN32)
    target_link_libraries(${target} PUBLIC orbiter_import)
  endif()
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  okul_cp1251(${target})
endfunction()

# A vessel module library, written to <root>/Modules/lib<name>.so
# (or <name>.dll) and linked against the simulator as against Orbiter.lib.
# On Windows the module takes the interface from the simulator's library
# orbiter.exe, links the SDK's start-up code (DllMain) and carries its own
# C++ runtime, as an add-on does.
function(okul_vessel_module target)
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY ${OKUL_INSTALL_ROOT}/Modules
    RUNTIME_OUTPUT_DIRECTORY ${OKUL_INSTALL_ROOT}/Modules)
  if(WIN32)
    target_link_libraries(${target} PRIVATE orbiter_import)
    set_target_properties(${target} PROPERTIES PREFIX "")
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:orbiter_sdk_support>)
    target_link_libraries(${target} PRIVATE gdi32 user32 kernel32)
    target_link_options(${target} PRIVATE -static-libgcc -static-libstdc++ -Wl,--no-undefined)
  else()
    target_link_libraries(${target} PRIVATE Orbiter)
    set_target_properties(${target} PROPERTIES PREFIX "lib" BUILD_RPATH "$ORIGIN/../bin"
                          INSTALL_RPATH "$ORIGIN/../bin")
    # Clang leaves the sanitizer runtime to the executable: a fuzzing build's
    # modules find it there when they are loaded.
    if(NOT OKUL_FUZZ)
      target_link_options(${target} PRIVATE -Wl,--no-undefined)
    endif()
  endif()
  okul_cp1251(${target})
endfunction()
