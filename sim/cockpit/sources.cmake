list(APPEND OKUL_SIM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Cockpit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CockpitFunctions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InputBoxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mfd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OutsideView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PictureRows.cpp
)
# The outside view shades large discs on several threads (cockpit/PictureRows).
if(NOT WIN32)
  find_package(Threads REQUIRED)
  list(APPEND OKUL_SIM_LIBS Threads::Threads)
endif()
