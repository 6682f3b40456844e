// Ranking of one race: the partition sort, the no-prediction rule, marks and the recommended bets.
#include "predict/MarksAndBets.h"

#include <array>
#include <cstddef>
#include <utility>
#include <vector>

#include "common/Cp932.h"
#include "common/StrConv.h"

namespace talpo {
namespace {

constexpr int kBracketQuinellaMaxRunners = 8;
constexpr int kPlaceBets = 3;
constexpr int kClearedBetSlots = 3;   // win and place slots emptied before each ranking
constexpr int kClearedPairSlots = 8;  // pair slots emptied before each ranking

// Ranks (0-based) of the eight pair bets, in slot order.
constexpr std::array<std::pair<int, int>, 8> kPairRanks{
    {{0, 1}, {0, 2}, {1, 2}, {0, 3}, {1, 3}, {2, 3}, {0, 4}, {1, 4}}};

const std::string kUnmarked = "  ";
const std::string kNoBet(kNoPredictionBet);
const std::string kNoPair = "-----";

const std::array<std::string, 5>& Marks() {
    static const std::array<std::string, 5> marks{Sj("◎"), Sj("○"), Sj("▲"), Sj("△"), Sj("×")};
    return marks;
}

// Positions L..R. P is a copy of the middle entry, taken before any swap, so it stays the same entry.
void SortRange(std::vector<TRankEntry>& list, int L, int R) {
    int I = L;
    do {
        I = L;
        int J = R;
        const TRankEntry P = list[static_cast<std::size_t>((L + R) / 2)];
        do {
            while (CompareByIndex(list[static_cast<std::size_t>(I)], P) < 0) ++I;
            while (CompareByIndex(list[static_cast<std::size_t>(J)], P) > 0) --J;
            if (I <= J) {
                std::swap(list[static_cast<std::size_t>(I)], list[static_cast<std::size_t>(J)]);
                ++I;
                --J;
            }
        } while (I <= J);
        if (L < J) SortRange(list, L, J);
        L = I;
    } while (I < R);
}

// The partition sort the rankings have always used. It is not stable, and users know the order it gives
// to equal indices, so no other sort may stand in for it.
void SortRanking(std::vector<TRankEntry>& list) {
    if (!list.empty()) SortRange(list, 0, static_cast<int>(list.size()) - 1);
}

std::vector<TRankEntry> RankingList(TYoso& Yoso, int runners) {
    std::vector<TRankEntry> list;
    list.reserve(static_cast<std::size_t>(runners));
    for (int h = 0; h < runners; ++h) {
        Yoso.HorseIndex = h;
        list.push_back({h + 1, Yoso.GetIndex()});
    }
    return list;
}

int ZeroCount(const std::vector<TRankEntry>& list) {
    int zeros = 0;
    for (const TRankEntry& entry : list) zeros += entry.Index == 0 ? 1 : 0;
    return zeros;
}

void ClearBets(TYoso& Yoso) {
    for (int slot = 0; slot < kClearedBetSlots; ++slot) {
        Yoso.BetIndex = slot;
        Yoso.SetWinBet("");
        Yoso.SetPlaceBet("");
    }
    for (int slot = 0; slot < kClearedPairSlots; ++slot) {
        Yoso.BetIndex = slot;
        Yoso.SetPairBet("");
    }
}

void ClearMarks(TYoso& Yoso, int runners) {
    for (int h = 0; h < runners; ++h) {
        Yoso.HorseIndex = h;
        Yoso.SetMark(kUnmarked);
    }
}

void WriteNoPrediction(TYoso& Yoso, int runners) {
    Yoso.BetIndex = 0;
    Yoso.SetWinBet(kNoBet);
    Yoso.SetPlaceBet(kNoBet);
    Yoso.SetPairBet(kNoPair);
    ClearMarks(Yoso, runners);
}

// Ranks beyond the field (fewer runners than a mark or bet names) leave their slots empty.
void WritePrediction(TYoso& Yoso, const std::vector<TRankEntry>& ranked, int runners) {
    const int count = static_cast<int>(ranked.size());
    ClearMarks(Yoso, runners);
    for (int k = 0; k < MarkCount(runners) && k < count; ++k) {
        Yoso.HorseIndex = ranked[static_cast<std::size_t>(k)].HorseNo - 1;
        Yoso.SetMark(Marks()[static_cast<std::size_t>(k)]);
    }
    auto padded = [&ranked](int rank) {
        return PadHorseNo(IntToStr(ranked[static_cast<std::size_t>(rank)].HorseNo));
    };
    Yoso.BetIndex = 0;
    if (count > 0) Yoso.SetWinBet(padded(0));
    for (int k = 0; k < kPlaceBets && k < count; ++k) {
        Yoso.BetIndex = k;
        Yoso.SetPlaceBet(padded(k));
    }
    for (std::size_t slot = 0; slot < kPairRanks.size(); ++slot) {
        const auto [a, b] = kPairRanks[slot];
        if (b >= count) continue;
        Yoso.BetIndex = static_cast<int>(slot);
        Yoso.SetPairBet(MakePairText(padded(a), padded(b), runners));
    }
}

}  // namespace

int CompareByIndex(const TRankEntry& X, const TRankEntry& Y) {
    if (X.Index > Y.Index) return -1;
    if (X.Index < Y.Index) return 1;
    return 0;
}

// n / 5 never falls on a half for a whole n, so rounding to nearest needs no tie rule.
int Tolerance(int runnerCount) {
    return (runnerCount + 2) / 5;
}

int MarkCount(int runnerCount) {
    if (runnerCount <= 8) return 3;
    if (runnerCount <= 11) return 4;
    return 5;
}

std::string PadHorseNo(const std::string& text) {
    return text.size() == 1 ? " " + text : text;
}

std::string MakePairText(const std::string& A, const std::string& B, int runnerCount) {
    // std::string compares its bytes as unsigned values, which is numeric order for right-aligned numbers.
    const bool swapped = B.compare(A) < 0;
    const std::string& lo = swapped ? B : A;
    const std::string& hi = swapped ? A : B;
    if (runnerCount <= kBracketQuinellaMaxRunners) return "   " + TrimBlanks(lo) + TrimBlanks(hi);
    return lo + "-" + hi;
}

void AssignMarksAndBets(const TDenma& Denma, TYoso& Yoso) {
    const int runners = Denma.GetRunnerSlots();
    std::vector<TRankEntry> list = RankingList(Yoso, runners);
    SortRanking(list);
    const int zeros = ZeroCount(list);
    ClearBets(Yoso);
    if (zeros > Tolerance(runners)) {
        WriteNoPrediction(Yoso, runners);
    } else {
        WritePrediction(Yoso, list, runners);
    }
}

}  // namespace talpo
