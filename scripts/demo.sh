#!/usr/bin/env bash
# The main job on the bundled sample day, from a terminal.
set -euo pipefail
build=${1:-build/default}
out=${2:-out/sample-day}
cli="$build/src/cli/talpo-cli"
mkdir -p "$out/in" "$out/bets"
"$cli" extract samples/sample-day.lzh "$out/in"
"$cli" predict "$out/in" "$out/bets" --json "$out/bets/predictions.json"
echo "Files written into $out/bets:"
ls -l "$out/bets"
"$cli" show "$out/in" --race 1
"$cli" show "$out/in" --race 11
