# cmake -DEXPORTS=x64.txt -DDEF=orbiter.def -P ExportsToDef.cmake
# A module-definition file naming orbiter.exe and every name of the list (one
# a line), for llvm-dlltool.
file(STRINGS ${EXPORTS} names)
set(text "LIBRARY orbiter.exe\nEXPORTS\n")
foreach(name ${names})
  string(APPEND text "  ${name}\n")
endforeach()
file(WRITE ${DEF} "${text}")
