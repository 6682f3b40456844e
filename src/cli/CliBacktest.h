// talpo-cli backtest: the days given, predicted, and their recommended bets scored against race results;
// a table in Japanese on standard output, or the figures as JSON and each ticket as a CSV row.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "backtest/Backtest.h"
#include "backtest/BacktestReport.h"
#include "backtest/BacktestRun.h"
#include "backtest/Strategy.h"
#include "cli/CliReport.h"
#include "cli/CliSink.h"

namespace talpo::cli {

struct BacktestOptions {
    std::vector<std::string> Inputs;
    std::vector<std::string> Results;
    std::int64_t Stake = 100;
    std::set<GroupKey> By;
    std::optional<std::string> Json;        // a file, or "-" for standard output
    std::optional<std::string> Csv;         // a file, or "-" for standard output
    std::optional<std::string> Strategies;  // a strategies file (TOML)
    std::string Split;                      // YYYYMMDD, or empty
};

// Returns the exit code: 1 when the results were refused, a day failed or an output could not be
// written, else 0.
int RunBacktest(const BacktestOptions& options, Reporter& report, std::ostream& out, bool outIsTerminal);

// The documents of the command, UTF-8. With a tally the JSON gains "before" and "from" when it splits the
// season, and "strategies" when strategies were asked for; the table gains the strategies' lines (a
// StrategyTable) after the bet types.
void WriteBacktestJson(const BacktestSummary& summary, const TextWriter& write,
                       const StrategyTally* tally = nullptr, bool strategies = false);
void WriteBacktestCsv(const std::vector<InputRace>& races, bool forTerminal, const TextWriter& write);
std::string BacktestTable(const BacktestSummary& summary, const std::string& strategyTable = {});

// The table's lines: the first column to the left, the others to the right, two blanks between, each cell
// taking `width` columns.
std::string AlignedTable(const ReportTable& table, const std::function<std::size_t(std::string_view)>& width);

// The fields as a CSV line with every control character of the data masked, for a terminal.
std::string VisibleCsvLine(std::vector<std::string> fields);

// The strategies' lines, aligned by display width.
std::string StrategyTable(const StrategyTally& tally);
// Their tickets as CSV, in place of WriteBacktestCsv's.
void WriteStrategiesCsv(const std::vector<Strategy>& strategies, const std::vector<InputRace>& races,
                        bool forTerminal, const TextWriter& write);

}  // namespace talpo::cli
