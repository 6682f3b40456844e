// talpo_bench [--data DIR] [benchmark options]: makes the inputs (kept in DIR between runs), runs the
// benchmarks and checks the goals; exits with 1 when a goal is missed.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchData.h"
#include "BenchGoals.h"
#include "BenchSuite.h"

int main(int argc, char** argv) {
    using namespace talpo::bench;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
            SetDataRoot(argv[++i]);
        } else {
            args.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;

    // Made before any timing, so that no benchmark pays for the generator or a cold file cache.
    DayFolder(kTypicalDay);
    DayFolder(kLargeInput);
    const PeakMemory peakMemory = PeakMemoryOfPredict(TALPO_CLI_PATH);
    RegisterDayBenchmarks();
    RegisterLookupBenchmarks();
    RegisterBacktestBenchmarks();

    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return CheckGoals(reporter, peakMemory) ? 0 : 1;
}
