#!/bin/sh
# Builds the project and starts the live console on the Mars approach
# scenario: open http://127.0.0.1:8012/ in a browser; Ctrl+C stops it.
# Arguments go to okulsim serve (--port N, --host ADDR); the console's files
# land in serve-out/.
set -e
cd "$(dirname "$0")/.."
tools/setup-debian.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
exec build/release/bin/okulsim serve build/release/Scenarios/mars_approach.scn --out serve-out "$@"
