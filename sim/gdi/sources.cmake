# The drawing layer: GDI on surfaces, FreeType text, bitmaps, files,
# clipboard, PNG output.
set(OKUL_FONT_DIR "/usr/share/fonts/truetype/liberation2" CACHE PATH
    "Folder holding LiberationSans-Regular.ttf and its Bold/Italic faces")
if(NOT EXISTS "${OKUL_FONT_DIR}/LiberationSans-Regular.ttf")
  message(WARNING "${OKUL_FONT_DIR}/LiberationSans-Regular.ttf not found: install fonts-liberation2 or set OKUL_FONT_DIR; the simulator stops at its first text")
endif()
find_package(Freetype REQUIRED)
find_package(PNG REQUIRED)
set(_gdi ${CMAKE_CURRENT_LIST_DIR})
list(APPEND OKUL_SIM_SOURCES
  ${_gdi}/BitmapResources.cpp
  ${_gdi}/BmpDecoder.cpp
  ${_gdi}/Clipboard.cpp
  ${_gdi}/Cp1251.cpp
  ${_gdi}/DibBits.cpp
  ${_gdi}/FontEngine.cpp
  ${_gdi}/GdiDrawing.cpp
  ${_gdi}/GdiObjects.cpp
  ${_gdi}/GdiRegistry.cpp
  ${_gdi}/KernelFiles.cpp
  ${_gdi}/OrbiterSurfaces.cpp
  ${_gdi}/PngWriter.cpp
  ${_gdi}/Surface.cpp
  ${_gdi}/TextOutput.cpp
  ${_gdi}/WorkingFolder.cpp
)
set_source_files_properties(${_gdi}/FontEngine.cpp PROPERTIES
  COMPILE_DEFINITIONS "OKUL_FONT_DIR=\"${OKUL_FONT_DIR}\"")
list(APPEND OKUL_SIM_LIBS Freetype::Freetype PNG::PNG)
