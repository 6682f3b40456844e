// Running a season: only each day's tickets are kept, never the day itself.
#include "backtest/BacktestRun.h"

#include "common/TalpoError.h"
#include "day/DayInput.h"

namespace talpo {
namespace {

std::string Message(const std::exception& e, const std::string& input) {
    // The system's errors name their file already; anything else (out of memory) gets its input's name.
    if (dynamic_cast<const ETalpoError*>(&e) != nullptr) return e.what();
    return input + ": " + e.what();
}

}  // namespace

SeasonResult RunSeason(const SeasonOptions& options, ISeasonListener& listener) {
    const RaceResults results = ReadResults(options.Results);
    Backtest backtest(results, options.Stake, options.By);
    SeasonResult run;
    ArchiveBuffers buffers;
    const std::size_t n = options.Inputs.size();
    for (std::size_t k = 0; k < n; ++k) {
        const std::string& input = options.Inputs[k];
        if (!listener.DayStarting(k, n, input)) {
            run.Stopped = true;
            break;
        }
        try {
            const PredictedDay day = LoadInput(input, buffers);
            for (const std::string& w : InputWarnings(day)) listener.Warning(w);
            std::vector<ScoredRace> scored = backtest.AddDay(*day.Day.Yoso, day.Day.Denma->RaceCount);
            for (const ScoredRace& race : scored) listener.RaceScored(race);
            if (options.KeepTickets) {
                for (ScoredRace& race : scored) run.Races.push_back({input, std::move(race)});
            }
        } catch (const std::exception& e) {
            listener.DayFailed(Message(e, input));
            ++run.FailedDays;
        }
    }
    run.Summary = backtest.Summary();
    return run;
}

}  // namespace talpo
