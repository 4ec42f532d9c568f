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
# Clang accepts only UTF-8 as execution character set: a clang build for
# Linux (the fuzz targets) keeps its texts in UTF-8, so byte-exact text tests
# hold only in GCC builds. The Microsoft-ABI build (clang too) compiles
# copies of the sources converted to CP1251 by iconv instead (see
# okul_cp1251_copies): the literals' bytes pass through unchanged, the same
# bytes as GCC's -fexec-charset gives (tests/msvc checks the module's texts).
function(okul_cp1251 target)
  if(OKUL_MSVC_ABI)
    okul_cp1251_copies(${target})
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8)
  else()
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP1251)
  endif()
endfunction()

# The target's C++ sources and its folder's headers, converted from UTF-8 to
# CP1251 into <build>/cp1251/<folder>; the target compiles the copies, and
# the copied headers come before the originals for it and its dependents.
# iconv refuses a character that CP1251 lacks, as GCC does.
function(okul_cp1251_copies target)
  find_program(OKUL_ICONV iconv REQUIRED)
  get_target_property(source_dir ${target} SOURCE_DIR)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${source_dir})
  set(copy_dir ${CMAKE_BINARY_DIR}/cp1251/${folder})
  get_target_property(sources ${target} SOURCES)
  file(GLOB headers RELATIVE ${source_dir} ${source_dir}/*.h)
  set(copies)
  set(header_copies)
  foreach(source ${sources} ${headers})
    if(IS_ABSOLUTE ${source} OR NOT source MATCHES "\\.(cpp|h)$")
      continue()
    endif()
    set(copy ${copy_dir}/${source})
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${copy_dir}
      COMMAND ${OKUL_ICONV} -f UTF-8 -t CP1251 -o ${copy} ${source_dir}/${source}
      DEPENDS ${source_dir}/${source}
      COMMENT "Converting ${folder}/${source} to CP1251"
      VERBATIM)
    if(source MATCHES "\\.cpp$")
      list(APPEND copies ${copy})
    else()
      list(APPEND header_copies ${copy})
    endif()
  endforeach()
  list(FILTER sources EXCLUDE REGEX "\\.cpp$")
  set_property(TARGET ${target} PROPERTY SOURCES ${sources} ${copies})
  if(header_copies)
    add_custom_target(${target}_cp1251_headers DEPENDS ${header_copies})
    add_dependencies(${target} ${target}_cp1251_headers)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(scope PRIVATE)
  else()
    set(scope PUBLIC)
  endif()
  target_include_directories(${target} BEFORE ${scope} ${copy_dir})
  # Invalid UTF-8 in a literal is what the copies are made of.
  target_compile_options(${target} PRIVATE -Wno-invalid-source-encoding)
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
  if(OKUL_MSVC_ABI)
    # Microsoft's ABI: the interface from the real simulator's import
    # library, the SDK's support code (entry, new and delete), and Windows'
    # own DLLs only: the Universal C Runtime through its api-ms-win-crt sets.
    target_link_libraries(${target} PRIVATE orbiter_import)
    set_target_properties(${target} PROPERTIES PREFIX "")
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:orbiter_sdk_support>)
    foreach(library ucrt gdi32 user32 kernel32)
      target_link_libraries(${target} PRIVATE ${OKUL_WINDOWS_LIBDIR}/lib${library}.a)
    endforeach()
    target_link_options(${target} PRIVATE -Wl,/entry:DllMain)
  elseif(WIN32)
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
