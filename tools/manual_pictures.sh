#!/bin/sh
# Makes the pictures of the user's manual (docs/manual/*.png) from the
# runner: the panels after a short session (docs/manual/panels.script) and
# the four acceptance flights (tests/acceptance/), whose approach plots and
# photo-panel shots are kept, and the photograph of the Earth on the way
# home (docs/manual/earth_photo.script).
#   tools/manual_pictures.sh
set -e
cd "$(dirname "$0")/.."
tools/setup-debian.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
build=build/release
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() {  # scenario script folder
    mkdir -p "$work/$3"
    "$build/bin/okulsim" run "$build/Scenarios/$1" --script "$2" --out "$work/$3" > "$work/$3.txt"
}
run mars_approach.scn docs/manual/panels.script panels
run launch_stack_switch.scn tests/acceptance/launch_stack_switch.script switch
run mars_approach.scn tests/acceptance/mars_approach_flight.script mars
run earth_return.scn tests/acceptance/earth_return_flight.script return
run earth_entry.scn tests/acceptance/earth_entry_flight.script entry
run earth_return.scn docs/manual/earth_photo.script earth_photo
out=docs/manual
cp "$work/panels/main_panel.png" "$work/panels/main_window.png" "$work/panels/photo_panel.png" \
   "$work/panels/outside_view.png" "$out/"
cp "$work/switch/launch_stack_switched.png" "$out/"
cp "$work/mars/photo_panel_half.png" "$work/mars/photo_panel_received.png" "$work/mars/mars_before.png" \
   "$work/mars/mars_after.png" "$out/"
cp "$work/return/return_before.png" "$work/return/return_after.png" "$out/"
cp "$work/entry/entry_before.png" "$work/entry/entry_after.png" "$out/"
/usr/bin/python3 -c "from PIL import Image; Image.open('$work/mars/PHOTO/photo0.bmp').convert('RGB').save('$out/photo_mars.png')"
/usr/bin/python3 -c "from PIL import Image; Image.open('$work/earth_photo/PHOTO/photo0.bmp').convert('RGB').save('$out/photo_earth.png')"
for flight in switch mars return entry; do
    echo "== $flight"
    grep -E "periapsis|target|BMP|brighter" "$work/$flight.txt" || true
done
echo "pictures written to $out/"
