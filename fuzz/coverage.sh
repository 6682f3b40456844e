#!/usr/bin/env bash
# Measures what the fuzz corpora reach: builds the targets with source coverage (preset
# "fuzz-coverage"), runs each once over its committed corpus, the seeds and the inputs a campaign left
# in build/fuzz/corpus/, and prints the line and branch coverage of the project's own sources.
#
#   fuzz/coverage.sh [TARGET...]     targets: day ini archive results (default: all four)
set -euo pipefail
cd "$(dirname "$0")/.."

targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(day ini archive results)

scripts/install-deps.sh clang-14 libclang-rt-14-dev llvm-14

build=build/fuzz-coverage
cmake --preset fuzz-coverage >/dev/null
cmake --build --preset fuzz-coverage
# The seed maker is built with coverage too: its profile goes into the build folder.
LLVM_PROFILE_FILE="$build/seeds.profraw" fuzz/make-seeds.sh "$build"

for t in "${targets[@]}"; do
    profiles=$build/profiles/$t
    rm -rf "$profiles"
    mkdir -p "$profiles" "build/fuzz/corpus/$t"
    # -runs=0 runs every input once and stops.
    LLVM_PROFILE_FILE="$profiles/%p.profraw" "$build/fuzz/fuzz_$t" -runs=0 -max_len=20000 \
        "fuzz/corpus/$t" "$build/seeds/$t" "build/fuzz/corpus/$t" 2>"$build/coverage_$t.log"
    llvm-profdata-14 merge -sparse "$profiles"/*.profraw -o "$profiles/merged.profdata"
    echo "=== fuzz_$t: $(find "fuzz/corpus/$t" "$build/seeds/$t" "build/fuzz/corpus/$t" -type f | wc -l) inputs"
    # Only the sources of the program: the fuzz target's own code and the system headers say nothing.
    llvm-cov-14 report "$build/fuzz/fuzz_$t" -instr-profile="$profiles/merged.profdata" \
        -ignore-filename-regex='(^/usr/|/fuzz/)' -show-region-summary=false -show-instantiation-summary=false
done
