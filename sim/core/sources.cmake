list(APPEND OKUL_SIM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Body.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConfigFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GravityModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModuleLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OapiFunctions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Rotation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScenarioFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScenarioParser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Simulation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandardLines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextLines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TrajectoryPrediction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Vessel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VesselInterface.cpp
)
# The interface returns handles as `const OBJHANDLE`, as the published
# headers declare them: the qualifier means nothing on a returned value.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/VesselInterface.cpp PROPERTIES
  COMPILE_OPTIONS -Wno-ignored-qualifiers)
