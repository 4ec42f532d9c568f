#!/bin/sh
# Builds the fuzz targets (the `fuzz` preset: clang, libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for SECONDS (default 60) on its
# corpus, then prints runs, coverage and corpus size per target.
#
#   tools/fuzz.sh [SECONDS] [TARGET...]      (default: every target)
#
# Each target starts from its seed corpus (tests/fuzz/corpus/<target>, read
# only) and the inputs earlier runs found (build/fuzz/corpus/<target>, where
# new ones are added). A finding stops that target: the input is written to
# build/fuzz/findings/ and the script fails at the end. Logs are in
# build/fuzz/logs/, every run's figures are added to build/fuzz/runs.txt.
# Long runs: OKUL_FUZZ_RUNS=10000000 tools/fuzz.sh 3600 (ten million inputs or
# an hour per target, whichever comes first), under `nice -n 19` on a shared
# machine.
set -e
cd "$(dirname "$0")/.."
seconds="${1:-60}"
[ $# -gt 0 ] && shift
OKUL_WITH_FUZZ=1 tools/setup-debian.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

build=$PWD/build/fuzz
targets="$*"
[ -n "$targets" ] || targets="$(cat $build/fuzz_targets.txt)"
mkdir -p $build/logs $build/findings
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"

# Per-target options: the longest input worth mutating, a dictionary when
# there is one.
options() {
    case "$1" in
        fuzz_bmp) echo "-max_len=16384" ;;
        fuzz_scenario|fuzz_script|fuzz_class_config) echo "-max_len=8192" ;;
        fuzz_program_words) echo "-max_len=512" ;;
        fuzz_http_api) echo "-max_len=4096" ;;
        *) echo "-max_len=2048" ;;
    esac
    if [ -f "tests/fuzz/dictionaries/$1.dict" ]; then echo "-dict=$PWD/tests/fuzz/dictionaries/$1.dict"; fi
}

failed=""
printf '%-22s %10s %8s %8s %8s %8s %s\n' target runs seconds cov ft corpus result
for target in $targets; do
    corpus=$build/corpus/$target
    log=$build/logs/$target.log
    mkdir -p "$corpus"
    start=$(date +%s)
    if $build/bin/$target $(options "$target") -max_total_time="$seconds" ${OKUL_FUZZ_RUNS:+-runs=$OKUL_FUZZ_RUNS} \
        -timeout=25 -rss_limit_mb=3072 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
        "$corpus" "$PWD/tests/fuzz/corpus/$target" >"$log" 2>&1; then
        result=ok
    else
        result="FINDING (see $log)"
        failed="$failed $target"
    fi
    elapsed=$(( $(date +%s) - start ))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    status=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1)
    cov=$(echo "$status" | sed -n 's/.*cov: \([0-9]*\).*/\1/p')
    ft=$(echo "$status" | sed -n 's/.*ft: \([0-9]*\).*/\1/p')
    size=$(ls "$corpus" | wc -l)
    printf '%-22s %10s %8s %8s %8s %8s %s\n' "$target" "${runs:-?}" "$elapsed" "${cov:-?}" "${ft:-?}" "$size" "$result"
    printf '%s %-22s runs %s seconds %s cov %s ft %s corpus %s %s\n' "$(date -u +%Y-%m-%dT%H:%M)" "$target" \
        "${runs:-?}" "$elapsed" "${cov:-?}" "${ft:-?}" "$size" "$result" >>$build/runs.txt
done
if [ -n "$failed" ]; then
    echo "findings in:$failed"
    exit 1
fi
