// The goals of the benchmarks, checked as ratios of one run: the large input loaded and predicted in at
// most twice the time its files take to read; talpo-cli's peak memory on it at most the files' size plus
// 64 MiB; the horse index at least 100 times faster than the scan at 100,000 horses.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

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

// Prints the machine, the ratios and whether each goal is met; true when every goal that could be
// measured is met. The peak memory is measured on a run of the command-line tool at cliPath.
bool CheckGoals(const GoalReporter& measured, const std::string& cliPath);

}  // namespace talpo::bench
