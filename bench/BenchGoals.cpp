// The goals' ratios, the peak-memory run and the machine they were measured on.
#include "BenchGoals.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>

#include "BenchData.h"
#include "BenchSuite.h"

namespace talpo::bench {
namespace {

constexpr double kMiB = 1024.0 * 1024.0;

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
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        if (json.empty()) {
            ::execl(cliPath.c_str(), cliPath.c_str(), "predict", inDir.c_str(), outDir.c_str(), "--write",
                    "none", static_cast<char*>(nullptr));
        } else {
            ::execl(cliPath.c_str(), cliPath.c_str(), "predict", inDir.c_str(), outDir.c_str(), "--write",
                    "none", "--json", json.c_str(), static_cast<char*>(nullptr));
        }
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return static_cast<double>(usage.ru_maxrss) * 1024.0;  // KiB on Linux
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

bool CheckGoals(const GoalReporter& measured, const PeakMemory& peak) {
    std::vector<Goal> goals;

    const GoalReporter::Time read = measured.Seconds(kReadLarge);
    const GoalReporter::Time predict = measured.Seconds(kPredictLarge);
    const double timeRatio = read.Wall > 0 && predict.Wall > 0 ? predict.Wall / read.Wall : -1;
    const double cpuRatio = read.Cpu > 0 && predict.Cpu > 0 ? predict.Cpu / read.Cpu : -1;
    goals.push_back({"load and predict / read the files as cat (large input)", timeRatio,
                     timeRatio < 0 ? "-" : Fixed(timeRatio, 2) + " x", "<= 2 x",
                     timeRatio >= 0 && timeRatio <= 2});

    const double limit = 64 * kMiB;
    const auto memory = [&](const char* what, double bytes) {
        goals.push_back({what, bytes, bytes < 0 ? "-" : Fixed(bytes / kMiB, 1) + " MiB", "<= 64 MiB",
                         bytes >= 0 && bytes <= limit});
    };
    memory("peak memory of talpo-cli predict (large input)", peak.Plain);
    memory("the same with --json FILE", peak.WithJson);

    const std::string n = "/100000";
    const double scan = measured.Seconds(std::string(kLookupScan) + n).Wall;
    const double index = measured.Seconds(std::string(kLookupIndex) + n).Wall;
    const double lookupRatio = scan > 0 && index > 0 ? scan / index : -1;
    goals.push_back({"scan / index, one lookup at 100,000 horses", lookupRatio,
                     lookupRatio < 0 ? "-" : Fixed(lookupRatio, 0) + " x", ">= 100 x", lookupRatio >= 100});

    const double predictSeason = measured.Seconds(kPredictSeason).Wall;
    const double backtestSeason = measured.Seconds(kBacktestSeason).Wall;
    const double seasonRatio = predictSeason > 0 && backtestSeason > 0 ? backtestSeason / predictSeason : -1;
    goals.push_back({"back-test / predict, a season of 100 days", seasonRatio,
                     seasonRatio < 0 ? "-" : Fixed(seasonRatio, 2) + " x", "< 2 x",
                     seasonRatio >= 0 && seasonRatio < 2});

    std::printf("\nGoals, on %ld cores of %s:\n", ::sysconf(_SC_NPROCESSORS_ONLN), CpuModel().c_str());
    if (timeRatio >= 0)
        std::printf(
            "  (large input: read %.0f ms, load and predict %.0f ms; processor time of all threads %.2f x)\n",
            read.Wall * 1e3, predict.Wall * 1e3, cpuRatio);
    std::printf("  (the two files: %.1f MiB)\n", static_cast<double>(DayBytes(kLargeInput)) / kMiB);
    if (seasonRatio >= 0)
        std::printf("  (a season of 100 days: predicted %.0f ms, back-tested %.0f ms)\n", predictSeason * 1e3,
                    backtestSeason * 1e3);
    bool allMet = true;
    for (const Goal& g : goals) {
        Print(g);
        if (g.value >= 0 && !g.met) allMet = false;
    }
    return allMet;
}

}  // namespace talpo::bench
