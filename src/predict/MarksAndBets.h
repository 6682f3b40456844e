// AssignMarksAndBets: ranks one race by index, applies the no-prediction rule, gives the marks and the
// win, place and pair bets.
#pragma once

#include <cstdint>

#include "predict/RdxYosoClass.h"

namespace talpo {

struct TRankEntry {
    std::int32_t HorseNo = 0;  // 1-based; the ranking's horse number text is its decimal form
    std::int32_t Index = 0;
};

// -1 when X ranks before Y (higher index), 0 when equal, +1 otherwise.
int CompareByIndex(const TRankEntry& X, const TRankEntry& Y);

// How many runners may lack a figure before a race gets no prediction: a fifth of the field, rounded.
int Tolerance(int runnerCount);

// How many of the best-ranked runners get a mark: 3 up to 8 runners, 4 up to 11, 5 beyond.
int MarkCount(int runnerCount);

// Ranks the first `runners` horses of the race by the indices stored, and gives them the marks and the
// race its bets (or declines it).
void AssignMarksAndBets(TYosoRace& race, int runners);

}  // namespace talpo
