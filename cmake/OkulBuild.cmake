# Shared compile settings of the project.

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
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
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  okul_cp1251(${target})
endfunction()

# A vessel module library, written to <root>/Modules/lib<name>.so
# (or <name>.dll) and linked against the simulator as against Orbiter.lib.
function(okul_vessel_module target)
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY ${OKUL_INSTALL_ROOT}/Modules
    RUNTIME_OUTPUT_DIRECTORY ${OKUL_INSTALL_ROOT}/Modules)
  if(NOT WIN32)
    set_target_properties(${target} PROPERTIES BUILD_RPATH "$ORIGIN/../bin" INSTALL_RPATH "$ORIGIN/../bin")
    target_link_libraries(${target} PRIVATE Orbiter)
    # Clang leaves the sanitizer runtime to the executable: a fuzzing build's
    # modules find it there when they are loaded.
    if(NOT OKUL_FUZZ)
      target_link_options(${target} PRIVATE -Wl,--no-undefined)
    endif()
  endif()
  okul_cp1251(${target})
endfunction()
