// Record layouts of the day's two data files: rdx_den.dat (one race per record) and rdx_uma.dat (one
// horse per record). Fixed lengths, no header, no separator; offsets count bytes from 0.
#pragma once

#include <cstddef>

namespace talpo {

struct TDenRec {
    static constexpr std::size_t Size = 1537;

    // Race key, 12 bytes.
    static constexpr std::size_t VenueCode = 1;     // 1: venue digit "0".."9"
    static constexpr std::size_t MeetingNo = 6;     // 2: meeting of the year at the venue (回)
    static constexpr std::size_t MeetingDay = 8;    // 2: day within the meeting (日目)
    static constexpr std::size_t RaceNo = 10;       // 2: race number
    static constexpr std::size_t Year = 12;         // 4: race date, year
    static constexpr std::size_t Month = 16;        // 2: race date, month
    static constexpr std::size_t Day = 18;          // 2: race date, day
    static constexpr std::size_t Grade = 21;        // 1: grade code
    static constexpr std::size_t Edition = 22;      // 3: edition of a named race, blank when none
    static constexpr std::size_t Title = 25;        // 30: race title, blank padded
    static constexpr std::size_t Surface = 55;      // 1: surface code
    static constexpr std::size_t Turn = 56;         // 1: turn code
    static constexpr std::size_t CourseType = 57;   // 1: course code
    static constexpr std::size_t CourseRail = 58;   // 1: rail code
    static constexpr std::size_t Distance = 59;     // 4: metres
    static constexpr std::size_t RunnerCount = 63;  // 2: number of runners
    static constexpr std::size_t AgeClass = 65;     // 1: age-class code
    static constexpr std::size_t AgeClass2 = 66;    // 1: second age-class code (hurdle races)
    static constexpr std::size_t PrizeLimit = 67;   // 4: class prize-money limit, 10,000 yen
    static constexpr std::size_t RaceClass = 71;    // 1: race-class code
    static constexpr std::size_t Condition = 72;    // 2: race-condition code "00".."14"
    static constexpr std::size_t WeightRule = 76;   // 18: weight-rule text
    static constexpr std::size_t StartTime = 99;    // 5: post time, shown as it stands
    static constexpr std::size_t Pace = 104;        // 1: expected-pace code
    static constexpr std::size_t TimeGood = 150;    // 4: estimated time on good going, m ss t
    static constexpr std::size_t TimeHeavy = 154;   // 4: estimated time on heavy going
    static constexpr std::size_t Runners = 159;     // 18 runner slots of TDenRunner
    static constexpr int MaxRunners = 18;
};

struct TDenRunner {
    static constexpr std::size_t Size = 76;

    static constexpr std::size_t HorseCode = 0;   // 7: key into the horse file
    static constexpr std::size_t Sex = 7;         // 1: sex code
    static constexpr std::size_t Age = 8;         // 2: age in years
    static constexpr std::size_t Bracket = 10;    // 1: bracket "1".."8"
    static constexpr std::size_t Weight = 13;     // 3: weight carried, tenths of a kg
    static constexpr std::size_t Allowance = 16;  // 1: weight-allowance code
    static constexpr std::size_t Mark = 28;       // 1: the data's own mark code
    static constexpr std::size_t HorseName = 30;  // 30: horse name, blank padded
    static constexpr std::size_t Jockey = 60;     // 8: jockey name
    static constexpr std::size_t Trainer = 68;    // 8: trainer name

    static constexpr std::size_t HorseCodeWidth = 7;
    static constexpr std::size_t HorseNameWidth = 30;
};

struct TUmaRec {
    static constexpr std::size_t Size = 2247;

    static constexpr std::size_t HorseCode = 0;  // 7: the lookup key
    static constexpr std::size_t Runs = 526;     // 5 run blocks of TUmaRun
    static constexpr int RunCount = 5;
};

struct TUmaRun {
    static constexpr std::size_t Size = 235;

    static constexpr std::size_t Figure = 0;  // 3: figure of the run, right-aligned, or three blanks
};

}  // namespace talpo
