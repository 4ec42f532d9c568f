#!/bin/sh
# Builds the project with the given preset (default: dev) and runs every test.
set -e
cd "$(dirname "$0")/.."
preset="${1:-dev}"
tools/setup-debian.sh
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset" -j "$(nproc)"
