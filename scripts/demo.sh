#!/usr/bin/env bash
# The main job on the bundled sample day, from a terminal.
set -euo pipefail
build=${1:-build/default}
out=${2:-out/sample-day}
cli="$build/src/cli/talpo-cli"
if [ ! -x "$cli" ]; then
    # Until the command-line tool exists the demo runs the data layer's tests.
    ctest --test-dir "$build" -R '^(Cp932|StrConv|FileIO|Den|Uma)' --output-on-failure
    exit 0
fi
mkdir -p "$out/in" "$out/bets"
"$cli" extract samples/sample-day.lzh "$out/in"
"$cli" predict "$out/in" "$out/bets"
echo "Files written into $out/bets:"
ls -l "$out/bets"
"$cli" show "$out/in" --race 1
