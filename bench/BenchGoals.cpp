// The goals' ratios, the peak-memory run and the machine they were measured on.
#include "BenchGoals.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>

#include "BenchData.h"
#include "BenchSuite.h"

namespace talpo::bench {
namespace {

constexpr double kMiB = 1024.0 * 1024.0;

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

std::string CpuModel() {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    }
    return "unknown";
}

// The peak resident memory (bytes) of `talpo-cli predict DIR OUT --write none [--json FILE]`, or -1 when it
// failed.
double PeakMemoryOfRun(const std::string& cliPath, const std::string& inDir, const std::string& outDir,
                       const std::string& json) {
    std::vector<std::string> argv{cliPath, "predict", inDir, outDir, "--write", "none"};
    if (!json.empty()) argv.insert(argv.end(), {"--json", json});
    const ProcessRun run = RunProcess(argv);
    return run.Ok ? run.PeakBytes : -1;
}

struct Goal {
    std::string what;
    double value;
    std::string shown;
    std::string goal;
    bool met;
};

void Print(const Goal& g) {
    std::printf("  %-52s %14s   goal %-26s %s\n", g.what.c_str(), g.shown.c_str(), g.goal.c_str(),
                g.value < 0 ? "NOT MEASURED"
                : g.met     ? "met"
                            : "MISSED");
}

double Ratio(double of, double to) {
    return of > 0 && to > 0 ? of / to : -1;
}

std::string Fixed(double value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

}  // namespace

PeakMemory PeakMemoryOfPredict(const std::string& cliPath) {
    const std::string out = OutputFolder("peak");
    PeakMemory peak;
    peak.Plain = PeakMemoryOfRun(cliPath, DayFolder(kLargeInput), out, "");
    peak.WithJson = PeakMemoryOfRun(cliPath, DayFolder(kLargeInput), out, out + "large.json");
    return peak;
}

void GoalReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.iterations <= 0) continue;
        // By the name it was registered with: "Lookup/Index/100000", without a "/min_time:2.000".
        std::string name = run.run_name.function_name;
        if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
        const double n = static_cast<double>(run.iterations);
        seconds_[name] = {run.real_accumulated_time / n, run.cpu_accumulated_time / n};
    }
    ConsoleReporter::ReportRuns(runs);
}

GoalReporter::Time GoalReporter::Seconds(const std::string& name) const {
    const auto it = seconds_.find(name);
    return it == seconds_.end() ? Time{} : it->second;
}

bool CheckGoals(const GoalReporter& measured, const PeakMemory& peak, const SeasonFigures& season,
                const ScaleFigures& scale) {
    std::vector<Goal> goals;
    const auto ratio = [&](const char* what, double value, const char* goal, double most) {
        goals.push_back(
            {what, value, value < 0 ? "-" : Fixed(value, 2) + " x", goal, value >= 0 && value <= most});
    };
    const double limit = 64 * kMiB;
    const auto memory = [&](const char* what, double bytes) {
        goals.push_back({what, bytes, bytes < 0 ? "-" : Fixed(bytes / kMiB, 1) + " MiB", "<= 64 MiB",
                         bytes >= 0 && bytes <= limit});
    };

    ratio("season --write none / unpacking its archives", Ratio(season.Plain, season.Floor), "<= 1.5 x", 1.5);
    ratio("season --json FILE / unpacking its archives", Ratio(season.WithJson, season.Floor), "<= 2 x", 2);
    memory("peak memory of talpo-cli predict (season)", season.PeakBytes);

    // Per byte: the large input holds ten times the races and horses of the tenth.
    const double large = scale.Large;
    const double tenth = scale.Tenth;
    ratio("large input per byte / a tenth of it per byte",
          Ratio(large / static_cast<double>(DayBytes(kLargeInput)),
                tenth / static_cast<double>(DayBytes(kTenthInput))),
          "<= 1.5 x", 1.5);
    memory("peak memory of talpo-cli predict (large input)", peak.Plain);
    memory("the same with --json FILE", peak.WithJson);

    const std::string n = "/100000";
    const double scan = measured.Seconds(std::string(kLookupScan) + n).Wall;
    const double index = measured.Seconds(std::string(kLookupIndex) + n).Wall;
    const double lookupRatio = Ratio(scan, index);
    goals.push_back({"scan / index, one lookup at 100,000 horses", lookupRatio,
                     lookupRatio < 0 ? "-" : Fixed(lookupRatio, 0) + " x", ">= 100 x", lookupRatio >= 100});

    const double predictSeason = measured.Seconds(kPredictSeason).Wall;
    const double backtestSeason = measured.Seconds(kBacktestSeason).Wall;
    const double seasonRatio = Ratio(backtestSeason, predictSeason);
    goals.push_back({"back-test / predict, a season of 100 days", seasonRatio,
                     seasonRatio < 0 ? "-" : Fixed(seasonRatio, 2) + " x", "< 2 x",
                     seasonRatio >= 0 && seasonRatio < 2});

    const double strategiesSeason = measured.Seconds(kStrategiesSeason).Wall;
    const double strategiesRatio = Ratio(strategiesSeason, backtestSeason);
    goals.push_back({"back-test with 10 strategies / without, a season", strategiesRatio,
                     strategiesRatio < 0 ? "-" : Fixed(strategiesRatio, 2) + " x", "<= 1.5 x",
                     strategiesRatio >= 0 && strategiesRatio <= 1.5});

    std::printf("\nGoals, on %ld cores of %s (load average %s):\n", ::sysconf(_SC_NPROCESSORS_ONLN),
                CpuModel().c_str(), LoadAverage().c_str());
    if (season.Floor > 0)
        std::printf(
            "  (a season of %d archives: unpacked %.0f ms, talpo-cli --write none %.0f ms, "
            "with --json FILE %.0f ms; the fastest of each)\n",
            season.Archives, season.Floor * 1e3, season.Plain * 1e3, season.WithJson * 1e3);
    const double read = measured.Seconds(kReadLarge).Wall;
    if (large > 0)
        std::printf(
            "  (large input, %.1f MiB: read as cat %.0f ms, talpo-cli --write none %.0f ms, on a tenth "
            "of it %.1f ms: the fastest of five)\n",
            static_cast<double>(DayBytes(kLargeInput)) / kMiB, read * 1e3, large * 1e3, tenth * 1e3);
    if (seasonRatio >= 0)
        std::printf(
            "  (a season of 100 days from folders: predicted %.0f ms, back-tested %.0f ms, with 10 "
            "strategies %.0f ms)\n",
            predictSeason * 1e3, backtestSeason * 1e3, strategiesSeason * 1e3);
    bool allMet = true;
    for (const Goal& g : goals) {
        Print(g);
        if (g.value >= 0 && !g.met) allMet = false;
    }
    return allMet;
}

}  // namespace talpo::bench
