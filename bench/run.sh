#!/usr/bin/env bash
# Runs the benchmarks of a build made with the preset "bench". The inputs (a typical day, and a large
# input of about 240 MB) are made on the first run and kept in BUILD/bench-data.
#   bench/run.sh [BUILD] [benchmark options, e.g. --benchmark_filter=Lookup]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/bench}
shift || true
exec "$build/bench/talpo_bench" --data "$build/bench-data" "$@"
