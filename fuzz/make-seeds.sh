#!/usr/bin/env bash
# Makes the fuzz targets' seeds in BUILD/seeds/<target>: generated days and settings files (by the
# build's talpo_fuzz_seeds), the extraction fixtures and the bundled sample day.
#
#   fuzz/make-seeds.sh BUILD      BUILD: a fuzz build folder, e.g. build/fuzz
set -euo pipefail
cd "$(dirname "$0")/.."

build=$1
seeds=$build/seeds
rm -rf "$seeds"
"$build/fuzz/talpo_fuzz_seeds" "$seeds" tests/fixtures/archives/members
mkdir -p "$seeds/archive"
# The two archives that unpack to more than the cap take half a second each: their tests cover them.
cp tests/fixtures/archives/*.lzh samples/sample-day.lzh "$seeds/archive/"
rm "$seeds/archive/day_huge.lzh" "$seeds/archive/day_huge_lying.lzh"
# Results files: the committed corpus is their seed.
mkdir -p "$seeds/results"
