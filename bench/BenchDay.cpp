// The day's job timed on a typical day and on a large input and a tenth of it: reading the two files
// through a small buffer as `cat` does (what the disk's part of a load costs), loading and predicting, and
// making the three output files in memory and on disk.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchData.h"
#include "BenchSuite.h"
#include "common/InputFile.h"
#include "common/PageBuffer.h"
#include "day/TalpoDay.h"
#include "output/Writers.h"

namespace talpo::bench {
namespace {

class NoProgress : public IPredictProgress {};

const std::string kMemoryDir = "out/";
// cat's buffer: the reads cost what the kernel's copy costs, and no fresh page is ever touched.
constexpr std::size_t kCatBuffer = std::size_t{128} << 10;

std::size_t ReadThrough(const std::string& path, PageBuffer& buffer) {
    InputFile file(path);
    std::size_t total = 0;
    for (std::size_t n; (n = file.Read(buffer.data(), buffer.size())) > 0;) total += n;
    return total;
}

void ReadFiles(benchmark::State& state, const DayShape& shape) {
    const std::string dir = DayFolder(shape);
    // Page-aligned, as cat's is: the kernel's copy into a buffer off the cache lines is several times slower.
    PageBuffer buffer(kCatBuffer);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadThrough(dir + kDenFileName, buffer));
        benchmark::DoNotOptimize(ReadThrough(dir + kUmaFileName, buffer));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(DayBytes(shape)));
}

void LoadAndPredict(benchmark::State& state, const DayShape& shape) {
    const std::string dir = DayFolder(shape);
    NoProgress progress;
    for (auto _ : state) {
        const TDay day = LoadDay(dir, progress);
        benchmark::DoNotOptimize(day.Yoso.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(DayBytes(shape)));
}

void MakeFiles(benchmark::State& state, const DayShape& shape, bool toDisk) {
    NoProgress progress;
    TDay day = LoadDay(DayFolder(shape), progress);
    const std::string outDir = toDisk ? OutputFolder(shape.Name) : kMemoryDir;
    for (auto _ : state) {
        if (toDisk) {
            benchmark::DoNotOptimize(
                WriteEnabledFiles(*day.Yoso, day.Denma->RaceCount, outDir, OutputSelection{}));
        } else {
            benchmark::DoNotOptimize(
                BuildEnabledFiles(*day.Yoso, day.Denma->RaceCount, outDir, OutputSelection{}));
        }
    }
}

void WholeJob(benchmark::State& state, const DayShape& shape, bool toDisk) {
    const std::string dir = DayFolder(shape);
    const std::string outDir = toDisk ? OutputFolder(std::string(shape.Name) + "-job") : kMemoryDir;
    NoProgress progress;
    for (auto _ : state) {
        TDay day = LoadDay(dir, progress);
        if (toDisk) {
            benchmark::DoNotOptimize(
                WriteEnabledFiles(*day.Yoso, day.Denma->RaceCount, outDir, OutputSelection{}));
        } else {
            benchmark::DoNotOptimize(
                BuildEnabledFiles(*day.Yoso, day.Denma->RaceCount, outDir, OutputSelection{}));
        }
    }
}

}  // namespace

void RegisterDayBenchmarks() {
    benchmark::RegisterBenchmark(kReadTypical, [](benchmark::State& s) {
        ReadFiles(s, kTypicalDay);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("LoadAndPredict/typical", [](benchmark::State& s) {
        LoadAndPredict(s, kTypicalDay);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("MakeFiles/typical/memory", [](benchmark::State& s) {
        MakeFiles(s, kTypicalDay, false);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("MakeFiles/typical/disk", [](benchmark::State& s) {
        MakeFiles(s, kTypicalDay, true);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("WholeJob/typical/memory", [](benchmark::State& s) {
        WholeJob(s, kTypicalDay, false);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("WholeJob/typical/disk", [](benchmark::State& s) {
        WholeJob(s, kTypicalDay, true);
    })->Unit(benchmark::kMicrosecond);
    // A few runs of a quarter of a gigabyte each: enough for a stable mean.
    benchmark::RegisterBenchmark(kReadLarge, [](benchmark::State& s) { ReadFiles(s, kLargeInput); })
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);
    benchmark::RegisterBenchmark(kPredictLarge, [](benchmark::State& s) { LoadAndPredict(s, kLargeInput); })
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);
}

}  // namespace talpo::bench
