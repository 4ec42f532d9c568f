#!/bin/sh
# Runs every runner script of the test suite with the Windows build's
# okulsim.exe under Wine (the real GDI, USER and KERNEL of Wine) and with the
# Linux build, and compares what they show and write (compare_outputs):
#   tools/wine_comparison.sh [LINUX_BUILD] [WINDOWS_BUILD] [OUTPUT]
# Defaults: build/dev, build/mingw, build/wine-comparison. Both builds must
# exist (cmake --preset dev / mingw); Wine comes from tools/setup-debian.sh
# with OKUL_WITH_WINE=1. OUTPUT keeps the Wine prefix, both builds' outputs
# and the comparison (comparison.txt); the exit code is the comparison's.
set -e
cd "$(dirname "$0")/.."
linux="${1:-build/dev}"
windows="${2:-build/mingw}"
output="${3:-build/wine-comparison}"
for needed in "$linux/bin/okulsim" "$linux/bin/compare_outputs" "$windows/bin/okulsim.exe"; do
    if [ ! -f "$needed" ]; then
        echo "wine_comparison: $needed is missing: build the dev and mingw presets first" >&2
        exit 2
    fi
done
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
if [ ! -x "$wine" ]; then
    echo "wine_comparison: no wine64: run OKUL_WITH_WINE=1 tools/setup-debian.sh" >&2
    exit 2
fi
mkdir -p "$output"
output=$(cd "$output" && pwd)

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
