// A season of 100 ordinary days back-tested against its results, beside the same days only predicted: the
// back-test's own work (reading the results, scoring the tickets) is what separates the two. And the same
// back-test with ten strategies and a split date: the strategies' own work (matching each race, choosing
// and tallying its tickets, the ranges and drawdowns) against the back-test alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BenchData.h"
#include "BenchSuite.h"
#include "backtest/Backtest.h"
#include "backtest/BacktestRisk.h"
#include "backtest/StrategiesFile.h"
#include "common/FileIO.h"
#include "data/SampleDay.h"
#include "day/TalpoDay.h"

namespace talpo::bench {
namespace {

class NoProgress : public IPredictProgress {};

constexpr int kSeasonDays = 100;

struct Season {
    std::vector<std::string> Days;     // folders
    std::vector<std::string> Results;  // a results file per day
};

// Made once per run, before the first timing: a day of 24 races a week, each with its own seed.
const Season& TheSeason() {
    static const Season season = [] {
        Season s;
        const std::string root = OutputFolder("season");
        SampleDayOptions options;
        options.Year = 2000;
        options.Month = 1;
        options.Day = 1;
        for (int d = 0; d < kSeasonDays; ++d) {
            options.Seed = static_cast<std::uint64_t>(d + 1);
            const SampleDay day = MakeSampleDay(options);
            const std::string dir = root + "day" + std::to_string(d) + "/";
            std::filesystem::create_directories(dir);
            WriteFilesTogether({{dir + kDenFileName, day.Den}, {dir + kUmaFileName, day.Uma}});
            s.Days.push_back(dir);
            s.Results.push_back(root + "results" + std::to_string(d) + ".csv");
            WriteFileAtomic(s.Results.back(), MakeSampleResults(day, options.Seed));
            // The next week; the generator's dates stay within the days every month has.
            options.Day += 7;
            if (options.Day > 28) {
                options.Day -= 28;
                if (++options.Month > 12) {
                    options.Month = 1;
                    ++options.Year;
                }
            }
        }
        return s;
    }();
    return season;
}

void PredictSeason(benchmark::State& state) {
    const Season& season = TheSeason();
    NoProgress progress;
    for (auto _ : state) {
        for (const std::string& dir : season.Days) {
            const TDay day = LoadDay(dir, progress);
            benchmark::DoNotOptimize(day.Yoso.get());
        }
    }
}

void BacktestSeason(benchmark::State& state) {
    const Season& season = TheSeason();
    NoProgress progress;
    for (auto _ : state) {
        const RaceResults results = ReadResults(season.Results);
        Backtest backtest(results, 100, {GroupKey::Month});
        for (const std::string& dir : season.Days) {
            const TDay day = LoadDay(dir, progress);
            benchmark::DoNotOptimize(backtest.AddDay(*day.Yoso, day.Denma->RaceCount));
        }
        benchmark::DoNotOptimize(backtest.Summary());
    }
}

// Ten strategies, among them every kind of condition.
constexpr const char* kTenStrategies = R"(
[[strategy]]
name = "all"
[[strategy]]
name = "win"
bets = ["win"]
[[strategy]]
name = "win, gap"
bets = ["win"]
when = { index_gap = [5, 999] }
[[strategy]]
name = "quinella, turf, 10+"
bets = ["quinella"]
when = { surface = ["芝"], runners = [10, 18] }
[[strategy]]
name = "places"
bets = ["place"]
places = 1
when = { top_index = [90, 999] }
[[strategy]]
name = "pairs"
bets = ["bracket_quinella", "quinella"]
pairs = 3
when = { distance = [1600, 2400] }
[[strategy]]
name = "main races"
when = { race_no = [9, 12], class = ["オープン"] }
[[strategy]]
name = "spring"
when = { month = [3, 4, 5] }
[[strategy]]
name = "venues"
when = { venue = ["東京", "中山"], surface = ["ダ"] }
[[strategy]]
name = "everything"
bets = ["win", "place", "quinella"]
places = 2
pairs = 5
when = { venue = ["東京", "京都"], surface = ["芝", "ダ"], class = ["オープン", "未勝利"], distance = [1000, 3000], runners = [8, 18], race_no = [1, 12], month = [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12], top_index = [0, 999], index_gap = [0, 999] }
)";

// What the documents show of a tally: every figures object's range and drawdown.
void Conclude(const StrategyTally& tally) {
    for (const StrategyFigures& s : tally.Figures()) {
        for (const PartFigures* part : {&s.All, &s.Before, &s.From}) {
            for (const TypeFigures& f : part->Types) {
                benchmark::DoNotOptimize(MaxDrawdown(f));
                benchmark::DoNotOptimize(RecoveryRange(f));
            }
        }
    }
}

void StrategiesSeason(benchmark::State& state) {
    const Season& season = TheSeason();
    const std::vector<Strategy> strategies = ParseStrategies(kTenStrategies, "ten.toml");
    NoProgress progress;
    for (auto _ : state) {
        const RaceResults results = ReadResults(season.Results);
        Backtest backtest(results, 100, {GroupKey::Month});
        StrategyTally tally(strategies, "20001001");
        for (const std::string& dir : season.Days) {
            const TDay day = LoadDay(dir, progress);
            for (const ScoredRace& race : backtest.AddDay(*day.Yoso, day.Denma->RaceCount)) tally.Add(race);
        }
        benchmark::DoNotOptimize(backtest.Summary());
        Conclude(tally);
    }
}

// The results alone: what the back-test reads besides the days.
void ReadSeasonResults(benchmark::State& state) {
    const Season& season = TheSeason();
    for (auto _ : state) benchmark::DoNotOptimize(ReadResults(season.Results));
}

}  // namespace

void RegisterBacktestBenchmarks() {
    benchmark::RegisterBenchmark(kPredictSeason, PredictSeason)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kBacktestSeason, BacktestSeason)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kStrategiesSeason, StrategiesSeason)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Season/ReadResults", ReadSeasonResults)->Unit(benchmark::kMillisecond);
}

}  // namespace talpo::bench
