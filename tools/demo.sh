#!/bin/sh
# Builds the project and runs the demo: the console on TAVR-12 in cruise to
# Mars, scripted; the pictures and texts land in demo-out/.
set -e
cd "$(dirname "$0")/.."
tools/setup-debian.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
build/release/bin/okulsim run build/release/Scenarios/cruise_to_mars.scn --script scenarios/demo.script --out demo-out
echo "demo finished: see demo-out/"
