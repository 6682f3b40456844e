// The inputs of the benchmarks, made once with the sample-day generator and kept in a folder between
// runs: a typical day and a large input, each as the two data files a user's folder holds.
#pragma once

#include <cstdint>
#include <string>

namespace talpo::bench {

struct DayShape {
    const char* Name;
    int Races;
    int Horses;
    int MinRunners = 0;  // 0: the sample day's usual mix of field sizes
    int MaxRunners = 0;
};

// 36 races (12 a venue and day: two venues, two days) of 16 to 18 runners, 1,000 horses.
inline constexpr DayShape kTypicalDay{"typical", 36, 1000, 16, 18};
// 10,000 races and 100,000 horse records, and a tenth of it: the scale check.
inline constexpr DayShape kLargeInput{"large", 10000, 100000};
inline constexpr DayShape kTenthInput{"tenth", 1000, 10000};

// Where the inputs are kept: set once by main from the command line.
void SetDataRoot(const std::string& dir);

// The folder (ending in '/') holding rdx_den.dat and rdx_uma.dat of the shape, written when missing or
// of another size.
std::string DayFolder(const DayShape& shape);

// Bytes of the two files together.
std::uint64_t DayBytes(const DayShape& shape);

// A fresh empty folder for output files under the data root.
std::string OutputFolder(const std::string& name);

}  // namespace talpo::bench
