#!/bin/sh
# Builds the add-on archives, the way Orbiter add-ons are installed
# (unpacked over the simulator's folder):
#   tools/package.sh [DIST]            (default dist/)
# writes DIST/K12_OKUL-<version>-x86.zip and -x64.zip (the console module
# for 32- and 64-bit Orbiter: Modules/K12_OKUL.dll, its class file, the
# scenarios that use it, the empty folders PHOTO and Q4K12techout that it
# writes into, the manual as HTML with its pictures and a readme), and
# DIST/K12_OKUL-<version>-standin-hosts-x64.zip (our stand-ins of the host
# modules, for trying the console without the real hosts; not for flight).
# It builds the msvc-x86, msvc-x64 and mingw presets' parts it needs; the
# manual is converted by pandoc. <version> is the module's version number.
set -e
cd "$(dirname "$0")/.."
dist="${1:-dist}"
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
date=$(sed -n 's/.*ModuleVersionFromDate("\([A-Za-z]* [0-9]* [0-9]*\)").*/\1/p' module/ModuleEntry.cpp)
version=$(date -d "$date" +%y%m%d | sed 's/^0*//')
for preset in msvc-x86 msvc-x64; do
    [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset" > /dev/null
    cmake --build --preset "$preset" -j "$(nproc)" > /dev/null
done
[ -f build/mingw/build.ninja ] || cmake --preset mingw > /dev/null
cmake --build --preset mingw -j "$(nproc)" --target Tavr12 Q4varK_RN > /dev/null

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# What both archives share.
common="$stage/common"
mkdir -p "$common/Config/Vessels" "$common/Scenarios/K12_OKUL" "$common/PHOTO" "$common/Q4K12techout" \
    "$common/Doc/K12_OKUL/manual"
cp config/Vessels/OkulVessel.cfg "$common/Config/Vessels/"
grep -l "OkulVessel" scenarios/*.scn | while read -r scenario; do
    cp "$scenario" "$common/Scenarios/K12_OKUL/"
done
cp docs/manual/*.png "$common/Doc/K12_OKUL/manual/"
pandoc docs/MANUAL.md --standalone --metadata title="K12 OKUL console: user's manual" \
    --metadata lang=ru --lua-filter tools/package/local_links.lua -o "$common/Doc/K12_OKUL/manual.html"
# The readme with Windows line ends.
sed -e "s/@VERSION@/$version/" -e "s/$/\r/" tools/package/readme.txt > "$common/Doc/K12_OKUL/readme.txt"

for arch in x86 x64; do
    root="$stage/$arch"
    cp -r "$common" "$root"
    mkdir -p "$root/Modules"
    cp "build/msvc-$arch/Modules/K12_OKUL.dll" "$root/Modules/"
    archive="$dist/K12_OKUL-$version-$arch.zip"
    rm -f "$archive"
    (cd "$root" && cmake -E tar cf "$archive" --format=zip Config Doc Modules PHOTO Q4K12techout Scenarios)
    echo "$archive"
done

hosts="$stage/hosts"
mkdir -p "$hosts/Modules" "$hosts/Config/Vessels"
cp build/mingw/Modules/Tavr12.dll build/mingw/Modules/Q4varK_RN.dll "$hosts/Modules/"
cp hosts/Config/Vessels/*.cfg "$hosts/Config/Vessels/"
cp hosts/README.md "$hosts/K12_OKUL_standin_hosts.md"
archive="$dist/K12_OKUL-$version-standin-hosts-x64.zip"
rm -f "$archive"
(cd "$hosts" && cmake -E tar cf "$archive" --format=zip Config Modules K12_OKUL_standin_hosts.md)
echo "$archive"
