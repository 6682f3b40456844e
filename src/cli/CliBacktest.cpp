// The backtest command. The results are read and checked whole before any day is loaded, so that a refused
// file costs no prediction and leaves nothing written; each day is then loaded, predicted and scored in
// turn, and only its tickets are kept.
#include "cli/CliBacktest.h"

#include <ostream>

#include "cli/CliInput.h"
#include "cli/CliText.h"
#include "common/TalpoError.h"

namespace talpo::cli {
namespace {

std::string Message(const std::exception& e, const std::string& input) {
    // The system's errors name their file already; anything else (out of memory) gets its input's name.
    if (dynamic_cast<const ETalpoError*>(&e) != nullptr) return e.what();
    return input + ": " + e.what();
}

// Standard output or a file; false when the file could not be written.
bool Emit(const std::string& target, const Producer& produce, std::ostream& out, Reporter& report) {
    if (target == "-") {
        ProduceToStream(out, produce);
        return true;
    }
    try {
        ProduceToFile(target, produce);
    } catch (const std::exception& e) {
        report.Error(e.what());
        return false;
    }
    report.Status("wrote " + target);
    return true;
}

std::string Summary(const BacktestCounts& c, int failed) {
    return Count(c.Days, "day") + ", " + Count(c.Races, "race") + ", " + Count(c.PredictedRaces, "race") +
           " predicted, " + Count(c.ScoredRaces, "race") + " scored, " + Count(failed, "day") + " failed";
}

}  // namespace

int RunBacktest(const BacktestOptions& options, Reporter& report, std::ostream& out, bool outIsTerminal) {
    const RaceResults results = ReadResults(options.Results);
    Backtest backtest(results, options.Stake, options.By);
    std::vector<InputRace> races;
    int failed = 0;
    ArchiveBuffers buffers;
    const std::size_t n = options.Inputs.size();
    for (std::size_t k = 0; k < n; ++k) {
        const std::string& input = options.Inputs[k];
        report.Progress("day " + std::to_string(k + 1) + " of " + std::to_string(n) + ": " + input);
        try {
            const PredictedDay day = LoadInput(input, buffers);
            for (const std::string& w : InputWarnings(day)) report.Warning(w);
            std::vector<ScoredRace> scored = backtest.AddDay(*day.Day.Yoso, day.Day.Denma->RaceCount);
            if (options.Csv) {
                for (ScoredRace& race : scored) races.push_back({&input, std::move(race)});
            }
        } catch (const std::exception& e) {
            report.Error(Message(e, input));
            ++failed;
        }
    }
    const BacktestSummary summary = backtest.Summary();
    if (summary.Counts.UnmatchedResultRaces > 0) {
        report.Warning("no day given has " + Count(summary.Counts.UnmatchedResultRaces, "race") +
                       " of the results");
    }
    bool written = true;
    if (options.Json) {
        const Producer json = [&](const TextWriter& write) { WriteBacktestJson(summary, write); };
        written = Emit(*options.Json, json, out, report) && written;
    }
    if (options.Csv) {
        const bool terminal = *options.Csv == "-" && outIsTerminal;
        const Producer csv = [&](const TextWriter& write) { WriteBacktestCsv(races, terminal, write); };
        written = Emit(*options.Csv, csv, out, report) && written;
    }
    if (options.Json != "-" && options.Csv != "-") {
        const std::string table = BacktestTable(summary);
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
    report.Status(Summary(summary.Counts, failed));
    return failed > 0 || !written ? 1 : 0;
}

}  // namespace talpo::cli
