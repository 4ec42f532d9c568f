# The drawing layer. Platform-neutral: surfaces, the handles of surfaces and
# the clipboard (declarations), Windows-1251 text, BMP decoding. On Linux our
# own Win32 (gdi/linux): GDI on surfaces with FreeType text, bitmaps,
# files, clipboard, and PNG output through libpng. On Windows (gdi/windows)
# the real GDI, USER and KERNEL: device contexts on DIB sections, the system
# clipboard, a keyboard hook, the text record of TextOutA, PNG output
# through the Windows Imaging Component.
set(_gdi ${CMAKE_CURRENT_LIST_DIR})
list(APPEND OKUL_SIM_SOURCES
  ${_gdi}/BmpDecoder.cpp
  ${_gdi}/Cp1251.cpp
  ${_gdi}/Surface.cpp
)
if(WIN32)
  list(APPEND OKUL_SIM_SOURCES
    ${_gdi}/windows/Clipboard.cpp
    ${_gdi}/windows/PngWriter.cpp
    ${_gdi}/windows/Surfaces.cpp
    ${_gdi}/windows/TextCapture.cpp
  )
  list(APPEND OKUL_SIM_LIBS gdi32 user32 kernel32 ole32 windowscodecs uuid)
else()
  set(OKUL_FONT_DIR "/usr/share/fonts/truetype/liberation2" CACHE PATH
      "Folder holding LiberationSans-Regular.ttf and its Bold/Italic faces")
  if(NOT EXISTS "${OKUL_FONT_DIR}/LiberationSans-Regular.ttf")
    message(WARNING "${OKUL_FONT_DIR}/LiberationSans-Regular.ttf not found: install fonts-liberation2 or set OKUL_FONT_DIR; the simulator stops at its first text")
  endif()
  find_package(Freetype REQUIRED)
  find_package(PNG REQUIRED)
  list(APPEND OKUL_SIM_SOURCES
    ${_gdi}/linux/BitmapResources.cpp
    ${_gdi}/linux/Clipboard.cpp
    ${_gdi}/linux/DibBits.cpp
    ${_gdi}/linux/FontEngine.cpp
    ${_gdi}/linux/GdiDrawing.cpp
    ${_gdi}/linux/GdiObjects.cpp
    ${_gdi}/linux/GdiRegistry.cpp
    ${_gdi}/linux/KernelFiles.cpp
    ${_gdi}/linux/OrbiterSurfaces.cpp
    ${_gdi}/linux/PngWriter.cpp
    ${_gdi}/linux/TextOutput.cpp
    ${_gdi}/linux/WindowsPaths.cpp
  )
  set_source_files_properties(${_gdi}/linux/FontEngine.cpp PROPERTIES
    COMPILE_DEFINITIONS "OKUL_FONT_DIR=\"${OKUL_FONT_DIR}\"")
  list(APPEND OKUL_SIM_LIBS Freetype::Freetype PNG::PNG)
endif()
