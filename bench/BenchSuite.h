// The benchmarks of the suite and the names the goals look their results up by.
#pragma once

namespace talpo::bench {

inline constexpr const char* kReadTypical = "ReadFiles/typical";
inline constexpr const char* kReadLarge = "ReadFiles/large";
inline constexpr const char* kPredictLarge = "LoadAndPredict/large";
// Registered with the horse count as argument: "Lookup/Index/100000".
inline constexpr const char* kLookupIndex = "Lookup/Index";
inline constexpr const char* kLookupScan = "Lookup/Scan";
// 100 ordinary days predicted, and back-tested against their results.
inline constexpr const char* kPredictSeason = "Season/Predict";
inline constexpr const char* kBacktestSeason = "Season/Backtest";
// The same back-test with ten strategies and a split date.
inline constexpr const char* kStrategiesSeason = "Season/Strategies";

void RegisterDayBenchmarks();

void RegisterBacktestBenchmarks();
void RegisterLookupBenchmarks();

}  // namespace talpo::bench
