# The outside view's sky: the star table (xplanet's Bright Star Catalogue with
# B-V from stellarium-data's Hipparcos catalogues) and the bodies' maps, from
# Debian's xplanet, xplanet-images and stellarium-data packages
# (tools/setup-debian.sh installs them). The simulator reads them from
# <root>/Config/Sky/ at start-up (sky/SkyData.h).
list(APPEND OKUL_SIM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/StarCatalogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SurfaceMap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkyData.cpp
)

set(OKUL_SKY_DIR ${OKUL_INSTALL_ROOT}/Config/Sky)
set(OKUL_STAR_CATALOGUE /usr/share/xplanet/stars/BSC)
set(OKUL_STELLARIUM_STARS /usr/share/stellarium/stars/default)
set(OKUL_STELLARIUM_MAPS /usr/share/stellarium/textures)
set(OKUL_XPLANET_MAPS /usr/share/xplanet/images)
set(OKUL_SKY_MAPS
  Sun=${OKUL_STELLARIUM_MAPS}/sun.png
  Mercury=${OKUL_STELLARIUM_MAPS}/mercury.png
  Venus=${OKUL_STELLARIUM_MAPS}/venus.png
  Earth=${OKUL_XPLANET_MAPS}/earth.jpg
  Earth_night=${OKUL_XPLANET_MAPS}/night.jpg
  Moon=${OKUL_STELLARIUM_MAPS}/moon.png
  Mars=${OKUL_STELLARIUM_MAPS}/mars.png
  Jupiter=${OKUL_STELLARIUM_MAPS}/jupiter.png
  Saturn=${OKUL_STELLARIUM_MAPS}/saturn.png
)
set(sky_sources
  ${OKUL_STAR_CATALOGUE}
  ${OKUL_STELLARIUM_STARS}/cross-id.dat
  ${OKUL_STELLARIUM_STARS}/stars_0_0v0_8.cat
  ${OKUL_STELLARIUM_STARS}/stars_1_0v0_8.cat
  ${OKUL_STELLARIUM_STARS}/stars_2_0v0_8.cat)
set(sky_outputs ${OKUL_SKY_DIR}/Stars.txt)
foreach(pair ${OKUL_SKY_MAPS})
  string(REGEX REPLACE "=.*" "" name "${pair}")
  string(REGEX REPLACE "^[^=]*=" "" source "${pair}")
  list(APPEND sky_sources ${source})
  list(APPEND sky_outputs ${OKUL_SKY_DIR}/${name}.ppm)
endforeach()
foreach(source ${sky_sources})
  if(NOT EXISTS ${source})
    message(FATAL_ERROR "${source} is missing: the outside view's sky comes from Debian's xplanet, "
                        "xplanet-images and stellarium-data packages (tools/setup-debian.sh installs them)")
  endif()
endforeach()
add_custom_command(
  OUTPUT ${sky_outputs}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${OKUL_SKY_DIR}
  COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tools/sky_maps/star_table.py ${OKUL_STAR_CATALOGUE}
          ${OKUL_STELLARIUM_STARS} ${OKUL_SKY_DIR}/Stars.txt
  COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tools/sky_maps/convert_maps.py ${OKUL_SKY_DIR} ${OKUL_SKY_MAPS}
  DEPENDS ${sky_sources} ${PROJECT_SOURCE_DIR}/tools/sky_maps/convert_maps.py
          ${PROJECT_SOURCE_DIR}/tools/sky_maps/star_table.py
  COMMENT "Star table and body maps into Config/Sky"
  VERBATIM)
add_custom_target(sky_data ALL DEPENDS ${sky_outputs})
