#!/bin/sh
# Installs the Debian 12 packages the build, the tests and the demo need,
# when they are missing. Run as root (or through sudo).
#   OKUL_WITH_CROSS=1  also the MinGW-w64 cross compiler (the mingw preset)
#   OKUL_WITH_WINE=1   the cross compiler and Wine (tools/wine_comparison.sh)
#   OKUL_WITH_FUZZ=1   clang and its runtime (the fuzz targets)
#   OKUL_WITH_MSVC=1   clang, lld, llvm and MinGW-w64's headers and import
#                      libraries for both architectures (the msvc-x86 and
#                      msvc-x64 presets), pandoc (tools/package.sh)
#   OKUL_WITH_WINE32=1 the i686 cross compiler and Wine's 32-bit part
#                      (adds Debian's i386 architecture; exits non-zero when
#                      the i386 archive cannot install wine32 now)
# The Windows build of the simulator (cross and Wine) takes llvm-undname
# from llvm for the Microsoft names it exports.
set -e
# The live console: cpp-httplib and nlohmann-json build it; its browser test
# drives headless Chromium through chromedriver with Selenium. The outside
# view's sky: the Bright Star Catalogue from xplanet with the stars' B-V from
# stellarium-data's Hipparcos catalogues, the planetary maps from
# stellarium-data and xplanet-images (python3-pil converts them at build time).
packages="cmake ninja-build g++ pkg-config libfreetype-dev libpng-dev fonts-liberation2 \
libgtest-dev libgmock-dev libbenchmark-dev python3-pil libcairo2-dev \
libcpp-httplib-dev nlohmann-json3-dev chromium chromium-driver python3-selenium \
xplanet xplanet-images stellarium-data"
if [ "${OKUL_WITH_CROSS:-0}" = 1 ]; then
    packages="$packages g++-mingw-w64-x86-64 llvm"
fi
if [ "${OKUL_WITH_WINE:-0}" = 1 ]; then
    packages="$packages g++-mingw-w64-x86-64 llvm wine64"
fi
if [ "${OKUL_WITH_MSVC:-0}" = 1 ]; then
    packages="$packages clang lld llvm g++-mingw-w64-x86-64 g++-mingw-w64-i686 pandoc"
fi
if [ "${OKUL_WITH_WINE32:-0}" = 1 ]; then
    packages="$packages g++-mingw-w64-i686 llvm wine64 wine32:i386"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        SUDO=""
        [ "$(id -u)" = 0 ] || SUDO=sudo
        $SUDO dpkg --add-architecture i386
    fi
fi
if [ "${OKUL_WITH_FUZZ:-0}" = 1 ]; then
    packages="$packages clang libclang-rt-14-dev"
fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "installing:$missing"
    SUDO=""
    [ "$(id -u)" = 0 ] || SUDO=sudo
    # An archive mid-sync (Debian's i386 security index, now and then) fails the
    # update; the install below then says whether what is needed is there.
    $SUDO apt-get update -qq || echo "apt-get update reported errors: installing from the indexes at hand"
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
