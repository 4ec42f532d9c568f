# Solar-system bodies: DE405 ephemeris, planet rotation, body ephemeris modules.
list(APPEND OKUL_SIM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BodyId.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SolarSystemEphemeris.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlanetRotation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BodyEphemerisModule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CelBody.cpp
)

# The simulator loads <root>/Config/Ephemeris/de405_1970_1989.bin.
configure_file(${CMAKE_CURRENT_LIST_DIR}/data/de405_1970_1989.bin
  ${OKUL_INSTALL_ROOT}/Config/Ephemeris/de405_1970_1989.bin COPYONLY)
