#!/bin/sh
# Flies a runner script from the x64 add-on archive under Wine: a bare
# installation of the stand-in simulator (the mingw preset's bin/ and its
# own data, Config/Ephemeris and Config/Sky, alone),
# the stand-in hosts' archive and the console's archive unpacked over it,
# then the launch-stack flight with the scenario from the archive.
#   tools/package_flight.sh [DIST] [WINDOWS_BUILD] [OUTPUT]
# Defaults: dist, build/mingw, build/package-flight. Run tools/package.sh
# first; Wine as for tools/wine_comparison.sh. Exit code 0 when the flight's
# script passes.
set -e
cd "$(dirname "$0")/.."
dist="${1:-dist}"
windows="${2:-build/mingw}"
output="${3:-build/package-flight}"
console=$(ls "$dist"/K12_OKUL-*-x64.zip 2>/dev/null | grep -v standin-hosts | head -1)
hosts=$(ls "$dist"/K12_OKUL-*-standin-hosts-x64.zip 2>/dev/null | head -1)
if [ -z "$console" ] || [ -z "$hosts" ] || [ ! -f "$windows/bin/okulsim.exe" ]; then
    echo "package_flight: run tools/package.sh and build the mingw preset first" >&2
    exit 2
fi
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
rm -rf "$output/install" "$output/out"
mkdir -p "$output/install"
output=$(cd "$output" && pwd)
# The bare simulator: its programs and its own data (the ephemeris, the
# star table and the bodies' maps).
cp -r "$windows/bin" "$output/install/"
mkdir -p "$output/install/Config"
cp -r "$windows/Config/Ephemeris" "$windows/Config/Sky" "$output/install/Config/"
(cd "$output/install" && cmake -E tar xf "$OLDPWD/$hosts" && cmake -E tar xf "$OLDPWD/$console")
export WINEPREFIX="$output/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init > /dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f \
        > /dev/null 2>&1
fi
script=tests/acceptance/launch_stack_switch.script
scenario=$(sed -n '1s/^# scenario: //p' "$script")
echo "flying $script on Scenarios/K12_OKUL/$scenario from $(basename "$console")"
"$wine" "$output/install/bin/okulsim.exe" run "$output/install/Scenarios/K12_OKUL/$scenario" --script "$script" \
    --out "$output/out" > "$output/printed.txt" 2>&1 && result=0 || result=1
tail -3 "$output/printed.txt"
[ $result = 0 ] && echo "package_flight: passed" || echo "package_flight: FAILED (see $output/printed.txt)"
exit $result
