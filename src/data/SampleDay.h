// A synthetic but lifelike racing day (two venues, Japanese titles, katakana names, the two bonus
// jockeys, horses without figures, equal figures) for demonstrations, tests and benchmarks. The same
// options give the same bytes on every machine.
#pragma once

#include <cstdint>
#include <string>

namespace talpo {

struct SampleDayOptions {
    int Races = 24;  // 12 per venue and day, two venues a day
    int Horses = 0;  // records of the horse file; 0: one per runner of the day
    std::uint64_t Seed = 1;
    // Runners per race between these two; 0 keeps the usual mix (mostly 12 to 18, some 5 to 11).
    int MinRunners = 0;
    int MaxRunners = 0;
    // The date of the first 24 races; each further 24 fall on the next day.
    int Year = 1998;
    int Month = 5;
    int Day = 24;
};

// True for a date the generator can start from: a year of four digits and a day of that month.
bool IsSampleDate(int year, int month, int day);

// True when the last day of the races is no later than 9999-12-31: a later year would not fit the
// race card's four digits.
bool SampleDaysFit(const SampleDayOptions& options);

struct SampleDay {
    std::string Den;  // rdx_den.dat bytes
    std::string Uma;  // rdx_uma.dat bytes
};

SampleDay MakeSampleDay(const SampleDayOptions& options);

// Race results of a sample day, as a UTF-8 CSV file the back-test reads: finishing orders drawn from the
// runners' figures with chance, payouts that grow with a horse's rank in the figures, and now and then a
// dead heat, a scratched horse, a cancelled race or a bet type not sold. The same day and seed give the
// same bytes.
std::string MakeSampleResults(const SampleDay& day, std::uint64_t seed);

}  // namespace talpo
