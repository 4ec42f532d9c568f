#!/bin/sh
# Runs every runner script of the test suite with a build's okulsim and keeps
# what each one printed and wrote, so that two builds can be compared:
#   tools/script_outputs.sh BUILD_DIR OUTPUT_DIR
#   diff -r OUTPUT_DIR_BEFORE OUTPUT_DIR_AFTER
# BUILD_DIR is a build tree (bin/okulsim, Scenarios/); the scripts are those
# of the sources it was configured from; each script's first line names its
# scenario ("# scenario: FILE"). OKULSIM, when set, is the runner command
# (default BUILD_DIR/bin/okulsim); for the Windows build under Wine:
#   OKULSIM="wine64 build/mingw/bin/okulsim.exe" tools/script_outputs.sh build/mingw OUTPUT_DIR
set -e
build="$1"
output="$2"
if [ -z "$build" ] || [ -z "$output" ]; then
    echo "usage: $0 BUILD_DIR OUTPUT_DIR" >&2
    exit 2
fi
# OKUL_SOURCE_DIR, when set, names the sources (for an installation that is
# not a build tree).
source_dir=${OKUL_SOURCE_DIR:-$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt")}
mkdir -p "$output"
find "$source_dir/tests" -name '*.script' | sort | while read -r script; do
    scenario=$(sed -n '1s/^# scenario: //p' "$script")
    [ -n "$scenario" ] || continue
    name=$(echo "${script#"$source_dir"/tests/}" | tr / .)
    rm -rf "$output/$name"
    mkdir -p "$output/$name/work"
    if ${OKULSIM:-"$build/bin/okulsim"} run "$build/Scenarios/$scenario" --script "$script" --out "$output/$name/work" \
        > "$output/$name/printed.txt" 2>&1; then
        echo "passed" > "$output/$name/result.txt"
    else
        echo "failed" > "$output/$name/result.txt"
    fi
    echo "$name: $(cat "$output/$name/result.txt")"
done
