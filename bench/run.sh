#!/usr/bin/env bash
# Runs the benchmarks of a build made with the preset "bench". The inputs (a typical day, a large input of
# about 240 MB, and a season of 100 days as LZH archives) are made on the first run and kept in
# BUILD/bench-data; the archives are packed with jlha (Debian jlha-utils, installed when missing).
#   bench/run.sh [BUILD] [benchmark options, e.g. --benchmark_filter=Lookup]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/bench}
shift || true

# 100 ordinary days (24 races, 360 horse records, the generator's defaults), a week apart, each packed
# -lh5- as the data service packs them.
season="$build/bench-data/season"
if [ "$(find "$season" -name 'day*.lzh' 2>/dev/null | wc -l)" -ne 100 ]; then
    command -v jlha >/dev/null || bash scripts/install-deps.sh jlha-utils
    rm -rf "$season"
    mkdir -p "$season"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    for i in $(seq 0 99); do
        date=$(printf '%04d%02d%02d' $((2000 + i / 48)) $((i / 4 % 12 + 1)) $((i % 4 * 7 + 1)))
        "$build/src/cli/talpo-cli" sample -q "$work/day" --seed $((i + 1)) --date "$date"
        (cd "$work/day" && jlha c2o5 day.lzh rdx_den.dat rdx_uma.dat >/dev/null)
        mv "$work/day/day.lzh" "$season/day$(printf '%03d' "$i").lzh"
        rm -rf "$work/day"
    done
fi

exec "$build/bench/talpo_bench" --data "$build/bench-data" --season "$season" "$@"
