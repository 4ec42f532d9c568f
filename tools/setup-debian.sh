#!/bin/sh
# Installs the Debian 12 packages the build, the tests and the demo need,
# when they are missing. Run as root (or through sudo).
#   OKUL_WITH_CROSS=1  also the MinGW-w64 cross compiler (the mingw preset)
#   OKUL_WITH_WINE=1   the cross compiler and Wine (tools/wine_comparison.sh)
#   OKUL_WITH_FUZZ=1   clang and its runtime (the fuzz targets)
set -e
# The live console: cpp-httplib and nlohmann-json build it; its browser test
# drives headless Chromium through chromedriver with Selenium. The outside
# view's sky: the Bright Star Catalogue from xplanet, the planetary maps from
# stellarium-data and xplanet-images (python3-pil converts them at build time).
packages="cmake ninja-build g++ pkg-config libfreetype-dev libpng-dev fonts-liberation2 \
libgtest-dev libgmock-dev libbenchmark-dev python3-pil libcairo2-dev \
libcpp-httplib-dev nlohmann-json3-dev chromium chromium-driver python3-selenium \
xplanet xplanet-images stellarium-data"
if [ "${OKUL_WITH_CROSS:-0}" = 1 ]; then
    packages="$packages g++-mingw-w64-x86-64"
fi
if [ "${OKUL_WITH_WINE:-0}" = 1 ]; then
    packages="$packages g++-mingw-w64-x86-64 wine64"
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
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
