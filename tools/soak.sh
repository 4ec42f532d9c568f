#!/bin/sh
# The console under load: builds the release preset and runs okul_soak, a
# simulated year of cruise at time acceleration 100,000 with the panel drawn,
# the whole cassette photographed and received, and then every five days a
# program, a command sent to the host or a frame sent again. Prints resident
# memory, live surfaces, GDI objects, contexts, file handles and descriptors
# along the way, and the frame times by phase; fails when anything grows once
# every action has run once. The report is also in soak-out/soak_report.txt,
# every frame's times in soak-out/soak_frames.csv.
#
#   tools/soak.sh [DAYS]                 (default 365)
#   tools/soak.sh --callgrind [DAYS]     (default 8: a short run under callgrind;
#                                         the functions that take the time)
set -e
cd "$(dirname "$0")/.."
callgrind=0
if [ "$1" = "--callgrind" ]; then
    callgrind=1
    shift
fi
days="${1:-365}"
tools/setup-debian.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target okul_soak
out="$PWD/soak-out"
rm -rf "$out"
if [ "$callgrind" = 1 ]; then
    command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)"; exit 1; }
    days="${1:-8}"
    valgrind --tool=callgrind --callgrind-out-file="$PWD/soak-callgrind.out" \
        build/release/bin/okul_soak --days "$days" --photographs 2 --every 1 --out "$out"
    callgrind_annotate --inclusive=yes "$PWD/soak-callgrind.out" | head -60
    exit 0
fi
build/release/bin/okul_soak --days "$days" --out "$out" | tee "$PWD/soak-report.txt"
mv "$PWD/soak-report.txt" "$out/soak_report.txt"
