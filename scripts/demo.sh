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

# A synthetic season of 8 race days with their results, made on the spot, and how TALPO's bets would have
# fared on it.
season="$out/season"
rm -rf "$season"
mkdir -p "$season"
args=()
k=0
for date in 19980405 19980412 19980419 19980426 19980503 19980510 19980517 19980524; do
    k=$((k + 1))
    "$cli" sample -q "$season/$date" --date "$date" --seed "$k" --results "$season/$date.csv"
    args+=("$season/$date" --results "$season/$date.csv")
done
echo
echo "Back-test of the synthetic season ($season):"
"$cli" backtest -q "${args[@]}" --by month

# The example strategies side by side, each judged apart on the season's second half (from its middle date).
"$cli" sample -q --strategies "$season/strategies.toml"
echo
echo "The strategies of $season/strategies.toml, split at 1998-05-03:"
"$cli" backtest -q "${args[@]}" --strategies "$season/strategies.toml" --split 19980503
