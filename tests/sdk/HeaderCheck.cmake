# Compiles every header of the module's folders on its own, as the first and
# only include of a source file. The simulator's published VesselAPI.h and
# CelBodyAPI.h include nothing of the simulator, so a header that uses them
# must include OrbiterAPI.h (or Orbitersdk.h) first; this keeps every module
# header self-contained against the published SDK as well as ours.
#
#   cmake -DCOMPILER=... -DSOURCE_DIR=... -DWORK_DIR=... -P HeaderCheck.cmake

set(folders module panel camera terminal celestial programs)
set(include_flags -I${SOURCE_DIR}/sdk/include -I${SOURCE_DIR}/sdk/win32)
foreach(folder ${folders})
  list(APPEND include_flags -I${SOURCE_DIR}/${folder})
endforeach()

file(MAKE_DIRECTORY ${WORK_DIR})
set(failed "")
set(count 0)
foreach(folder ${folders})
  file(GLOB headers ${SOURCE_DIR}/${folder}/*.h)
  foreach(header ${headers})
    get_filename_component(name ${header} NAME_WE)
    set(source ${WORK_DIR}/${folder}_${name}.cpp)
    file(WRITE ${source} "#include \"${header}\"\n")
    execute_process(
      COMMAND ${COMPILER} -std=c++17 -fsyntax-only -finput-charset=UTF-8 ${include_flags} ${source}
      RESULT_VARIABLE result
      ERROR_VARIABLE errors)
    math(EXPR count "${count} + 1")
    if(NOT result EQUAL 0)
      list(APPEND failed ${folder}/${name}.h)
      message("${folder}/${name}.h does not compile on its own:\n${errors}")
    endif()
  endforeach()
endforeach()

if(failed)
  message(FATAL_ERROR "headers not self-contained: ${failed}")
endif()
message("${count} headers compile on their own")
