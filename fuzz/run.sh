#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz": clang 14 with libFuzzer; it and the build's other packages
# are installed here when missing) and runs each target for a set time on its committed corpus and the
# generated seeds. New inputs go into the build folder, never into the repository; a finding stops the
# run with the input saved under build/fuzz/findings/ and a non-zero exit.
#
#   fuzz/run.sh [SECONDS_PER_TARGET] [TARGET...]     targets: day ini archive results (default: all four)
#   FUZZ_ARGS="-runs=10000000" fuzz/run.sh 3600 day   extra libFuzzer options
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(day ini archive results)

scripts/install-deps.sh clang-14 libclang-rt-14-dev

build=build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

fuzz/make-seeds.sh "$build"
seeds=$build/seeds

# Per target: the largest input worth trying (a day: a few races and horses; an archive: the sample day).
declare -A max_len=([day]=20000 [ini]=4096 [archive]=20000 [results]=4096)

status=0
for t in "${targets[@]}"; do
    work=$build/corpus/$t
    findings=$build/findings/$t
    mkdir -p "$work" "$findings" "fuzz/corpus/$t"
    echo "=== fuzz_$t for ${seconds}s"
    # The first folder takes the new inputs; the committed corpus and the seeds are only read.
    if ! "$build/fuzz/fuzz_$t" "$work" "fuzz/corpus/$t" "$seeds/$t" \
        -max_total_time="$seconds" -max_len="${max_len[$t]}" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/" ${FUZZ_ARGS:-} 2>"$build/fuzz_$t.log"; then
        status=1
        echo "fuzz_$t found a problem: see $build/fuzz_$t.log and $findings/" >&2
    fi
    grep -E '^(#[0-9]+.*(DONE|pulse)|stat::number_of_executed_units|stat::peak_rss_mb)' "$build/fuzz_$t.log" | tail -3
done
exit $status
