#!/bin/sh
# Builds the project and starts the live console on the Mars approach
# scenario: open the address it prints, http://127.0.0.1:8012/?token=...,
# in a browser; Ctrl+C stops it. Arguments go to okulsim serve (--port N,
# --host ADDR, --token T); the console's files land in serve-out/.
set -e
cd "$(dirname "$0")/.."
tools/setup-debian.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
exec build/release/bin/okulsim serve build/release/Scenarios/mars_approach.scn --out serve-out "$@"
