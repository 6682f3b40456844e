// The horse lookup: the index of TUma against the first-match scan over the file's bytes, for horse files of
// 1,000, 10,000 and 100,000 records. Every lookup asks for a horse the file holds, spread over the file.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchSuite.h"
#include "data/RdxUmaClass.h"
#include "data/SampleDay.h"

namespace talpo::bench {
namespace {

constexpr std::size_t kQueries = 1024;  // a power of two: the loop picks the next one with a mask

struct Horses {
    std::string Bytes;  // the scan's own copy: the index keeps no records
    std::unique_ptr<TUma> Uma;
    std::vector<std::string> Codes;
};

const Horses& HorsesOf(int count) {
    static std::map<int, Horses> made;
    Horses& h = made[count];
    if (!h.Uma) {
        h.Bytes = MakeSampleDay({0, count, 7}).Uma;
        h.Uma = std::make_unique<TUma>(TUma::FromBytes(h.Bytes));
        // The sample's codes are 9000000 + the record number; a stride prime to the count visits all parts.
        for (std::size_t q = 0; q < kQueries; ++q) {
            const std::size_t record = (q * 7919 + 13) % static_cast<std::size_t>(count);
            h.Codes.push_back(std::to_string(9000000 + record));
        }
    }
    return h;
}

template <bool kScan>
void Lookup(benchmark::State& state) {
    const Horses& h = HorsesOf(static_cast<int>(state.range(0)));
    std::size_t q = 0;
    for (auto _ : state) {
        const std::string& code = h.Codes[q++ & (kQueries - 1)];
        benchmark::DoNotOptimize(kScan ? TUma::FindByScan(h.Bytes, code) : h.Uma->Find(code));
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

void RegisterLookupBenchmarks() {
    for (const int count : {1000, 10000, 100000}) {
        benchmark::RegisterBenchmark(kLookupIndex, Lookup<false>)->Arg(count);
        benchmark::RegisterBenchmark(kLookupScan, Lookup<true>)->Arg(count);
    }
}

}  // namespace talpo::bench
