// Race results for the back-test: CSV files of payouts, scratches and cancellations, read into one table
// keyed by race. A bad row refuses the whole input, naming its file and line, before anything is scored.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "backtest/BetType.h"

namespace talpo {

// What is paid on one combination: a horse (Second 0), or a pair held in ascending order so that either
// order of the row and of the ticket meet.
struct Payout {
    int First = 0;
    int Second = 0;
    std::int64_t Yen = 0;  // for a 100-yen ticket
};

struct RaceKey {
    std::string Date;   // YYYYMMDD
    std::string Venue;  // the name as the store holds it (CP932)
    int RaceNo = 0;
    auto operator<=>(const RaceKey&) const = default;
};

struct RaceResult {
    bool Cancelled = false;
    bool HasPayouts = false;  // of any type, scored or not: a cancellation contradicts them
    std::set<int> Scratched;
    // Per scored type; a type without rows was not sold in the race.
    std::array<std::vector<Payout>, kBetTypeCount> Payouts;
};

struct RaceResults {
    std::map<RaceKey, RaceResult> Races;
};

// Adds the rows of one file's bytes; name is how messages call the file. Raises ETalpoError
// "name:LINE: message", the header being line 1, for the first bad row; rows that repeat or contradict one
// of an earlier file count as bad too.
void ParseResults(std::string_view bytes, const std::string& name, RaceResults& results);

// Reads and adds each file in turn; the paths name the files in messages as given.
RaceResults ReadResults(const std::vector<std::string>& paths);

// The national two-digit course code's venue (CP932), or empty.
std::string VenueOfCourseCode(std::string_view code);

}  // namespace talpo
