# The console module for 32-bit Orbiter (Microsoft's ABI): see clang-msvc.cmake.
set(OKUL_MSVC_TRIPLE i686-pc-windows-msvc)
set(OKUL_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR X86)
include(${CMAKE_CURRENT_LIST_DIR}/clang-msvc.cmake)
