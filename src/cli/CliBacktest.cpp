// The backtest command: the season run (backtest/BacktestRun.h) told on standard error, then its documents.
// A refused results file leaves nothing written.
#include "cli/CliBacktest.h"

#include <ostream>

#include "backtest/StrategiesFile.h"
#include "cli/CliSink.h"
#include "cli/CliText.h"
#include "common/TalpoError.h"

namespace talpo::cli {
namespace {

// The run's news as the command's messages on standard error.
class ReportingListener final : public ISeasonListener {
public:
    explicit ReportingListener(Reporter& report) : report_(report) {}
    bool DayStarting(std::size_t day, std::size_t dayCount, const std::string& input) override {
        report_.Progress("day " + std::to_string(day + 1) + " of " + std::to_string(dayCount) + ": " + input);
        return true;
    }
    void Warning(const std::string& text) override { report_.Warning(text); }
    void DayFailed(const std::string& text) override { report_.Error(text); }

private:
    Reporter& report_;
};

// What the run reads: a document written over one of them would destroy it.
std::vector<RunFile> RunInputs(const BacktestOptions& o) {
    std::vector<RunFile> inputs = DayInputs(o.Inputs);
    for (const std::string& results : o.Results) inputs.push_back({"the results file", results});
    if (o.Strategies) inputs.push_back({"the strategies file", *o.Strategies});
    return inputs;
}

std::vector<RunFile> DocumentTargets(const BacktestOptions& o) {
    std::vector<RunFile> targets;
    if (o.Json) targets.push_back({"--json", *o.Json});
    if (o.Csv) targets.push_back({"--csv", *o.Csv});
    return targets;
}

std::string Summary(const BacktestCounts& c, int failed) {
    return Count(c.Days, "day") + ", " + Count(c.Races, "race") + ", " + Count(c.PredictedRaces, "race") +
           " predicted, " + Count(c.ScoredRaces, "race") + " scored, " + Count(failed, "day") + " failed";
}

}  // namespace

int RunBacktest(const BacktestOptions& options, Reporter& report, std::ostream& out, bool outIsTerminal) {
    RefuseClashes(RunInputs(options), DocumentTargets(options));
    // The strategies are read first: a refused file costs neither the results nor a prediction.
    std::vector<Strategy> strategies;
    if (options.Strategies) strategies = ReadStrategies(*options.Strategies);
    const bool tallied = options.Strategies || !options.Split.empty();
    ReportingListener listener(report);
    const SeasonResult run = RunSeason(
        {SeasonDays(options.Inputs), options.Results, options.Stake, options.By, options.Csv || tallied},
        listener);
    // Tallied from the kept races as the window re-scores them, so that both come to the same figures.
    std::optional<StrategyTally> tally;
    if (tallied) tally.emplace(TallyStrategies(run.Races, std::move(strategies), options.Split));
    const BacktestSummary& summary = run.Summary;
    for (const std::string& day : run.DaysWithoutResults)
        report.Warning(day + ": the results have no race of this day; it adds nothing to the figures");
    if (summary.Counts.UnmatchedResultRaces > 0) {
        report.Warning("no day given has " + Count(summary.Counts.UnmatchedResultRaces, "race") +
                       " of the results");
    }
    bool written = true;
    if (options.Json) {
        const Producer json = [&](const TextWriter& write) {
            WriteBacktestJson(summary, write, tally ? &*tally : nullptr, options.Strategies.has_value());
        };
        written = Emit(*options.Json, json, out, report) && written;
    }
    if (options.Csv) {
        const bool terminal = *options.Csv == "-" && outIsTerminal;
        const Producer csv = [&](const TextWriter& write) {
            if (options.Strategies) {
                WriteStrategiesCsv(tally->Strategies(), run.Races, terminal, write);
            } else {
                WriteBacktestCsv(run.Races, terminal, write);
            }
        };
        written = Emit(*options.Csv, csv, out, report) && written;
    }
    if (options.Json != "-" && options.Csv != "-") {
        const std::string table = BacktestTable(summary, options.Strategies ? StrategyTable(*tally) : "");
        if (outIsTerminal) {
            // Venue names come from the data: nothing of theirs may steer the terminal.
            std::size_t start = 0;
            while (start < table.size()) {
                const std::size_t end = table.find('\n', start);
                out << Visible(table.substr(start, end - start)) << "\n";
                start = end + 1;
            }
        } else {
            out << table;
        }
        out << std::flush;
    }
    report.Status(Summary(summary.Counts, run.FailedDays));
    return run.FailedDays > 0 || !written ? 1 : 0;
}

}  // namespace talpo::cli
