// Running a season: only each day's tickets are kept, never the day itself.
#include "backtest/BacktestRun.h"

#include <map>
#include <optional>
#include <tuple>

#include "common/Cp932.h"
#include "common/StrConv.h"
#include "common/TalpoError.h"
#include "day/DayInput.h"

namespace talpo {
namespace {

std::string Message(const std::exception& e, const std::string& input) {
    // The system's errors name their file already; anything else (out of memory) gets its input's name.
    if (dynamic_cast<const ETalpoError*>(&e) != nullptr) return e.what();
    return input + ": " + e.what();
}

// Where each race met so far came from, by date, venue and race number as the store holds them.
using RaceOrigins = std::map<std::tuple<std::string, std::string, std::string>, std::size_t>;

// One race scored twice would count every figure of it twice: the same day given as its folder and its
// archive, or one path given twice. Such a run stops before the later day is scored.
void RefuseRepeatedRaces(const TYoso& yoso, int raceCount, std::size_t input,
                         const std::vector<std::string>& inputs, RaceOrigins& seen) {
    for (int r = 0; r < raceCount; ++r) {
        const TYosoRace& race = yoso.Race(r);
        auto key = std::make_tuple(TrimBlanks(race.RaceDate.Get()), TrimBlanks(race.VenueName.Get()),
                                   TrimBlanks(race.RaceNo.Get()));
        if (std::get<0>(key).empty() || std::get<1>(key).empty() || std::get<2>(key).empty()) continue;
        const auto [it, added] = seen.emplace(key, input);
        if (added || it->second == input) continue;
        throw ETalpoError(ErrorKind::RepeatedRace, "同じレースが二つの入力にあります: " + std::get<0>(key) +
                                                       " " + Cp932ToUtf8(std::get<1>(key)) + " " +
                                                       std::get<2>(key) + "R (" + inputs[it->second] + ", " +
                                                       inputs[input] + ")");
    }
}

}  // namespace

std::vector<SeasonDay> SeasonDays(const std::vector<std::string>& inputs) {
    std::vector<SeasonDay> days;
    for (const std::string& input : inputs) days.push_back({input, nullptr});
    return days;
}

SeasonResult RunSeason(const SeasonOptions& options, ISeasonListener& listener) {
    const RaceResults results = ReadResults(options.Results);
    Backtest backtest(results, options.Stake, options.By);
    SeasonResult run;
    ArchiveBuffers buffers;
    RaceOrigins origins;
    std::vector<std::string> inputs;
    for (const SeasonDay& day : options.Inputs) inputs.push_back(day.Input);
    const std::size_t n = inputs.size();
    for (std::size_t k = 0; k < n; ++k) {
        const std::string& input = inputs[k];
        if (!listener.DayStarting(k, n, input)) {
            run.Stopped = true;
            break;
        }
        std::optional<PredictedDay> read;
        try {
            if (!options.Inputs[k].Loaded) read = LoadInput(input, buffers);
        } catch (const std::exception& e) {
            listener.DayFailed(Message(e, input));
            ++run.FailedDays;
            continue;
        }
        const TDay& day = read ? read->Day : *options.Inputs[k].Loaded;
        const int raceCount = day.Denma->RaceCount;
        RefuseRepeatedRaces(*day.Yoso, raceCount, k, inputs, origins);
        for (const std::string& w : InputWarnings(input, day)) listener.Warning(w);
        const BacktestCounts before = backtest.Counts();
        std::vector<ScoredRace> scored = backtest.AddDay(*day.Yoso, raceCount);
        const BacktestCounts& after = backtest.Counts();
        if (after.PredictedRaces > before.PredictedRaces &&
            after.RacesWithoutResult - before.RacesWithoutResult ==
                after.PredictedRaces - before.PredictedRaces)
            run.DaysWithoutResults.push_back(input);
        if (options.KeepTickets) {
            for (ScoredRace& race : scored) run.Races.push_back({input, std::move(race)});
        }
    }
    run.Summary = backtest.Summary();
    return run;
}

}  // namespace talpo
