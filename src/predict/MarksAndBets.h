// AssignMarksAndBets: ranks one race by index, applies the no-prediction rule, gives the marks and fills
// the win, place and pair bets of the store.
#pragma once

#include <cstdint>
#include <string>

#include "data/RdxDenClass.h"
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

// A one-byte text gets one blank in front: "7" -> " 7".
std::string PadHorseNo(const std::string& text);

// The five-byte pair bet of two PadHorseNo forms: "   36" for up to 8 runners, " 3-12" for more.
std::string MakePairText(const std::string& A, const std::string& B, int runnerCount);

// Works on the race selected by Denma.RaceIndex and Yoso.RaceIndex (the same race); moves
// Yoso.HorseIndex and Yoso.BetIndex.
void AssignMarksAndBets(const TDenma& Denma, TYoso& Yoso);

}  // namespace talpo
