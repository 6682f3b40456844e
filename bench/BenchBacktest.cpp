// A season of 100 ordinary days back-tested against its results, beside the same days only predicted: the
// back-test's own work (reading the results, scoring the tickets) is what separates the two.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BenchData.h"
#include "BenchSuite.h"
#include "backtest/Backtest.h"
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

// The results alone: what the back-test reads besides the days.
void ReadSeasonResults(benchmark::State& state) {
    const Season& season = TheSeason();
    for (auto _ : state) benchmark::DoNotOptimize(ReadResults(season.Results));
}

}  // namespace

void RegisterBacktestBenchmarks() {
    benchmark::RegisterBenchmark(kPredictSeason, PredictSeason)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kBacktestSeason, BacktestSeason)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Season/ReadResults", ReadSeasonResults)->Unit(benchmark::kMillisecond);
}

}  // namespace talpo::bench
