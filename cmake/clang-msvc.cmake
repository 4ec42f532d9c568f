# Microsoft-ABI build of the console module with Debian's own tools: clang
# targeting *-pc-windows-msvc, lld-link and llvm-rc. Windows' headers and
# import libraries are MinGW-w64's (mingw-w64-{i686,x86-64}-dev): both
# architectures come as Architecture: all packages, independent of Debian's
# i386 archive, and the import libraries cover the Universal C Runtime
# (api-ms-win-crt-*). The C++ headers the module includes (<cstdio>, <cmath>,
# <new>, ...) are libstdc++'s of the MinGW compiler: header-only wrappers
# over the C runtime here, nothing of libstdc++ is linked.
# Set OKUL_MSVC_TRIPLE and OKUL_MINGW_TRIPLE before including this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${OKUL_MSVC_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${OKUL_MSVC_TRIPLE})
set(CMAKE_RC_COMPILER llvm-rc)
set(CMAKE_LINKER lld-link)
set(CMAKE_MT "")
# Nothing here links a program: the compiler checks build a static library.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(OKUL_MSVC_ABI ON)
set(OKUL_WINDOWS_LIBDIR /usr/${OKUL_MINGW_TRIPLE}/lib)
set(gcc_dir /usr/lib/gcc/${OKUL_MINGW_TRIPLE})
file(GLOB libstdcxx_dirs LIST_DIRECTORIES true ${gcc_dir}/*-win32/include/c++ ${gcc_dir}/*-posix/include/c++)
if(NOT libstdcxx_dirs)
  message(FATAL_ERROR "No C++ headers in ${gcc_dir}: install g++-mingw-w64-* (tools/setup-debian.sh, OKUL_WITH_MSVC=1)")
endif()
list(GET libstdcxx_dirs 0 libstdcxx)

# -fgnuc-version: MinGW's headers define __attribute__ away without __GNUC__,
# which breaks the compiler's own intrinsics headers.
# __STRICT_ANSI__ as GCC sets it for -std=c++17 (clang in Microsoft mode
# does not), so that libstdc++'s configuration holds.
# _UCRT and no MinGW stdio: every C function comes from the Universal C
# Runtime, none from MinGW's static libmingwex. libstdc++'s configuration
# asks for MinGW's stdio, so stdio.h and stdlib.h are read first, before it
# (outside the system folders as far as the compiler knows: their format
# attributes for MinGW's printf are ignored without a word).
# No thread-safe statics: their guards live in Microsoft's C++ runtime; a
# module runs in the simulator's one thread.
set(msvc_flags "${OKUL_MSVC_ARCH_FLAGS} -fgnuc-version=12 -D__STRICT_ANSI__ -D_UCRT -D__MSVCRT_VERSION__=0xE00 -D__USE_MINGW_ANSI_STDIO=0 -Wno-ignored-attributes -include /usr/${OKUL_MINGW_TRIPLE}/include/stdio.h -include /usr/${OKUL_MINGW_TRIPLE}/include/stdlib.h \
-fno-exceptions -fno-rtti -fno-threadsafe-statics -nostdinc++ -nostdlibinc \
-isystem ${libstdcxx} -isystem ${libstdcxx}/${OKUL_MINGW_TRIPLE} -isystem /usr/${OKUL_MINGW_TRIPLE}/include")
set(CMAKE_C_FLAGS_INIT "${msvc_flags}")
set(CMAKE_CXX_FLAGS_INIT "${msvc_flags}")
# Only what the module asks for explicitly (no default Windows libraries): no Microsoft C runtime
# (libcmt, oldnames), which the objects name as default libraries.
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "")
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "")
# (The include options of the compile flags mean nothing to the link.)
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -nostdlib -Wl,/nodefaultlib -Wno-unused-command-line-argument ${OKUL_MSVC_ARCH_LINK_FLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -nostdlib -Wl,/nodefaultlib")

set(CMAKE_FIND_ROOT_PATH /usr/${OKUL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
