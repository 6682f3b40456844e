// talpo_bench [--data DIR] [--season DIR] [benchmark options]: makes the inputs (kept in DIR between runs),
// times the season of archives in the second DIR (bench/run.sh makes it), runs the benchmarks and checks the
// goals; exits with 1 when a goal is missed.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchData.h"
#include "BenchGoals.h"
#include "BenchSuite.h"

namespace {

bool MadeInAChild(void (*make)()) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        make();
        ::_exit(0);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace talpo::bench;
    std::vector<char*> args;
    std::string season;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
            SetDataRoot(argv[++i]);
        } else if (std::strcmp(argv[i], "--season") == 0 && i + 1 < argc) {
            season = argv[++i];
        } else {
            args.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;

    // Made before any timing, so that no benchmark pays for the generator or a cold file cache, and in a
    // process of their own: a program this process starts has this process's peak memory counted as its
    // own, and the large input is made in a quarter of a gigabyte.
    if (!MadeInAChild([] {
            DayFolder(kTypicalDay);
            DayFolder(kLargeInput);
            DayFolder(kTenthInput);
        }))
        return 1;
    const PeakMemory peakMemory = PeakMemoryOfPredict(TALPO_CLI_PATH);
    const SeasonFigures seasonFigures =
        season.empty() ? SeasonFigures{} : MeasureSeason(season, TALPO_CLI_PATH, TALPO_FLOOR_PATH);
    const ScaleFigures scale = MeasureScale(TALPO_CLI_PATH);
    RegisterDayBenchmarks();
    RegisterLookupBenchmarks();
    RegisterBacktestBenchmarks();

    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return CheckGoals(reporter, peakMemory, seasonFigures, scale) ? 0 : 1;
}
