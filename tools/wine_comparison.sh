#!/bin/sh
# Runs every runner script of the test suite with the Windows build's
# okulsim.exe under Wine (the real GDI, USER and KERNEL of Wine) and with the
# Linux build, and compares what they show and write (compare_outputs):
#   tools/wine_comparison.sh [LINUX_BUILD] [WINDOWS_BUILD] [OUTPUT] [CONSOLE_DLL]
# Defaults: build/dev, build/mingw, build/wine-comparison. Both builds must
# exist (cmake --preset dev / mingw); Wine comes from tools/setup-debian.sh
# with OKUL_WITH_WINE=1. OUTPUT keeps the Wine prefix, both builds' outputs
# and the comparison (comparison.txt); the exit code is the comparison's.
# CONSOLE_DLL, when given, is the console module flown instead of the
# Windows build's own: a Microsoft-ABI build (msvc-x64 or msvc-x86 preset),
# in a copy of the Windows build's installation (OUTPUT/install), beside
# the MinGW-built hosts. A 32-bit Windows build (mingw-x86 preset) runs
# under Wine's 32-bit part (wine32, OKUL_WITH_WINE32=1).
set -e
cd "$(dirname "$0")/.."
linux="${1:-build/dev}"
windows="${2:-build/mingw}"
output="${3:-build/wine-comparison}"
console="${4:-}"
for needed in "$linux/bin/okulsim" "$linux/bin/compare_outputs" "$windows/bin/okulsim.exe"; do
    if [ ! -f "$needed" ]; then
        echo "wine_comparison: $needed is missing: build the dev and mingw presets first" >&2
        exit 2
    fi
done
if [ -n "$console" ] && [ ! -f "$console" ]; then
    echo "wine_comparison: $console is missing: build the msvc-x64 (or msvc-x86) preset first" >&2
    exit 2
fi
# The machine type of okulsim.exe (PE header): 014c for i386, 8664 for AMD64.
pe=$(od -An -tu4 -j60 -N4 "$windows/bin/okulsim.exe" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$windows/bin/okulsim.exe" | tr -d ' ')
if [ "$machine" = 014c ]; then
    wine=$(command -v wine || echo /usr/lib/wine/wine)
    wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver32)
    [ -x /usr/lib/wine/wineserver64 ] && wineserver=/usr/lib/wine/wineserver64
    needs="wine32: run OKUL_WITH_WINE32=1 tools/setup-debian.sh"
else
    wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
    wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
    needs="wine64: run OKUL_WITH_WINE=1 tools/setup-debian.sh"
fi
if [ ! -x "$wine" ] || { [ "$machine" = 014c ] && [ ! -x /usr/lib/wine/wine ]; }; then
    echo "wine_comparison: no $needs" >&2
    exit 2
fi
mkdir -p "$output"
output=$(cd "$output" && pwd)
if [ -n "$console" ]; then
    # The Windows build's installation with the other console module.
    rm -rf "$output/install"
    mkdir -p "$output/install"
    for part in bin Config Scenarios Modules; do cp -r "$windows/$part" "$output/install/"; done
    cp "$console" "$output/install/Modules/K12_OKUL.dll"
    OKUL_SOURCE_DIR=$(pwd)
    export OKUL_SOURCE_DIR
    windows="$output/install"
    echo "console module: $console"
fi

# A prefix of our own, headless; no Mono or Gecko (nothing here needs them).
# Arial, which the console and the simulator ask for, is Liberation Sans
# (its metric twin, fonts-liberation2) where Arial is missing, as Wine
# would pick it anyway; said here so that no other sans face can stand in.
export WINEPREFIX="$output/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX"
    "$wine" wineboot --init > /dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f \
        > /dev/null 2>&1
    "$wineserver" -w
fi
# One Wine server for all the runs.
"$wineserver" -p
trap '"$wineserver" -k 2> /dev/null || true' EXIT

start=$(date +%s)
rm -rf "$output/windows" "$output/linux"
OKULSIM="$wine $windows/bin/okulsim.exe" tools/script_outputs.sh "$windows" "$output/windows"
middle=$(date +%s)
tools/script_outputs.sh "$linux" "$output/linux"
end=$(date +%s)
echo "runs: Windows build under Wine $((middle - start)) s, Linux build $((end - middle)) s"
if "$linux/bin/compare_outputs" "$output/linux" "$output/windows" > "$output/comparison.txt"; then
    result=0
else
    result=1
fi
cat "$output/comparison.txt"
exit $result
