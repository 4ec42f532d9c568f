# The console module for 32-bit Orbiter (Microsoft's ABI): see clang-msvc.cmake.
set(OKUL_MSVC_TRIPLE i686-pc-windows-msvc)
set(OKUL_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR X86)
# MinGW's headers know the architecture by _X86_, which GCC defines.
set(OKUL_MSVC_ARCH_FLAGS "-D_X86_=1")
# MinGW's import objects carry no SafeSEH table mark; the module has no
# exception handlers for one to list.
set(OKUL_MSVC_ARCH_LINK_FLAGS "-Wl,/safeseh:no")
include(${CMAKE_CURRENT_LIST_DIR}/clang-msvc.cmake)
