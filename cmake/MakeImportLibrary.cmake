# Builds the import library of the simulator's interface for the Windows
# cross-build: the symbols the module's objects take from the simulator
# (oapi functions, VESSEL, VESSEL2, CELBODY) become exports of
# "orbiter.exe", as the SDK's Orbiter.lib provides them.
#   cmake -DNM=... -DDLLTOOL=... -DINPUTS="a|b" -DDEF=... -DOUTPUT=... -P MakeImportLibrary.cmake
# INPUTS: archives and objects separated by '|'.
string(REPLACE "|" ";" INPUTS "${INPUTS}")
set(symbols "")
foreach(input ${INPUTS})
  execute_process(COMMAND ${NM} -u ${input} OUTPUT_VARIABLE listing RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "nm failed on ${input}")
  endif()
  string(REPLACE "\n" ";" lines "${listing}")
  foreach(line ${lines})
    string(STRIP "${line}" line)
    string(REGEX REPLACE "^U +" "" name "${line}")
    string(REGEX REPLACE "^__imp_" "" name "${name}")
    if(name MATCHES "^_Z[0-9]+oapi" OR name MATCHES "^_ZN?K?[0-9]*VESSEL2?" OR name MATCHES "^_ZNK?6VESSEL"
       OR name MATCHES "^_ZNK?7VESSEL2" OR name MATCHES "^_ZT[VI]7VESSEL2" OR name MATCHES "^_ZT[VI]6VESSEL"
       OR name MATCHES "^_ZNK?7CELBODY" OR name MATCHES "^_ZT[VI]7CELBODY")
      list(APPEND symbols ${name})
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES symbols)
list(SORT symbols)
set(text "LIBRARY orbiter.exe\nEXPORTS\n")
foreach(name ${symbols})
  string(APPEND text "  ${name}\n")
endforeach()
file(WRITE ${DEF} "${text}")
execute_process(COMMAND ${DLLTOOL} -d ${DEF} -l ${OUTPUT} -D orbiter.exe RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dlltool failed")
endif()
