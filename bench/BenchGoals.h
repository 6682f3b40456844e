// The goals of the benchmarks, checked as ratios of one run: a season of 100 days given as archives to one
// talpo-cli run in at most 1.5 times the time its archives take to unpack (the floor), at most 2 times with
// --json FILE, at most 64 MiB at its peak; the large input as a scale check, its time linear in its size
// (per byte at most 1.5 times a tenth of it) and talpo-cli's peak memory on it at most 64 MiB, with and
// without its JSON, whatever the size of the horse file; the horse index at least 100 times faster than
// the scan at 100,000 horses; a season of 100 days back-tested in less than twice the time of predicting it,
// and with ten strategies in at most 1.5 times the time of the back-test without them.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "BenchSeason.h"

namespace talpo::bench {

// The console's report, keeping each benchmark's mean wall time per iteration for the goals.
class GoalReporter : public benchmark::ConsoleReporter {
public:
    struct Time {
        double Wall = 0;
        double Cpu = 0;
    };

    void ReportRuns(const std::vector<Run>& runs) override;
    // Seconds per iteration by benchmark name ("Lookup/Index/100000"); 0 when it did not run.
    Time Seconds(const std::string& name) const;

private:
    std::map<std::string, Time> seconds_;
};

// The peak resident memory (bytes) of `talpo-cli predict` on the large input (the tool at cliPath), or
// -1 when the run failed: without and with --json FILE. A child starts out with its parent's resident
// pages counted, so this is measured while this process is still small: before the benchmarks keep their
// inputs in memory.
struct PeakMemory {
    double Plain = -1;
    double WithJson = -1;
};
PeakMemory PeakMemoryOfPredict(const std::string& cliPath);

// Prints the machine, the ratios and whether each goal is met; true when every goal that could be
// measured is met.
bool CheckGoals(const GoalReporter& measured, const PeakMemory& peak, const SeasonFigures& season,
                const ScaleFigures& scale);

}  // namespace talpo::bench
