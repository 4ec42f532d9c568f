# The console module for 64-bit Orbiter (Microsoft's ABI): see clang-msvc.cmake.
set(OKUL_MSVC_TRIPLE x86_64-pc-windows-msvc)
set(OKUL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/clang-msvc.cmake)
