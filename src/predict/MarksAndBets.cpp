// Ranking of one race: the partition sort, the no-prediction rule, marks and the recommended bets.
#include "predict/MarksAndBets.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>
#include <vector>

namespace talpo {
namespace {

// Ranks (0-based) of the eight pair bets, in slot order.
constexpr std::array<std::pair<int, int>, kPairSlots> kPairRanks{
    {{0, 1}, {0, 2}, {1, 2}, {0, 3}, {1, 3}, {2, 3}, {0, 4}, {1, 4}}};

const std::string kUnmarked = "  ";

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

std::vector<TRankEntry> RankingList(const TYosoRace& race, int runners) {
    std::vector<TRankEntry> list;
    list.reserve(static_cast<std::size_t>(runners));
    for (int h = 0; h < runners; ++h) list.push_back({h + 1, race.Horse(h).Index});
    return list;
}

int ZeroCount(const std::vector<TRankEntry>& list) {
    int zeros = 0;
    for (const TRankEntry& entry : list) zeros += entry.Index == 0 ? 1 : 0;
    return zeros;
}

// Ranks beyond the field (fewer runners than a mark or bet names) get none.
std::vector<Bet> BetsOf(const std::vector<TRankEntry>& ranked, int runners) {
    const int count = static_cast<int>(ranked.size());
    const auto no = [&ranked](int rank) {
        return static_cast<std::uint8_t>(ranked[static_cast<std::size_t>(rank)].HorseNo);
    };
    std::vector<Bet> bets;
    if (count > 0) bets.push_back({BetType::Win, no(0)});
    for (int k = 0; k < static_cast<int>(kPlaceSlots) && k < count; ++k)
        bets.push_back({BetType::Place, no(k)});
    for (const auto& [a, b] : kPairRanks) {
        if (b < count) bets.push_back({PairType(runners), std::min(no(a), no(b)), std::max(no(a), no(b))});
    }
    return bets;
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

void AssignMarksAndBets(TYosoRace& race, int runners) {
    std::vector<TRankEntry> list = RankingList(race, runners);
    SortRanking(list);
    for (int h = 0; h < runners; ++h) race.Horse(h).Mark.Set(kUnmarked);
    if (ZeroCount(list) > Tolerance(runners)) {
        race.SetDeclined();
        return;
    }
    for (int k = 0; k < MarkCount(runners) && k < static_cast<int>(list.size()); ++k)
        race.Horse(list[static_cast<std::size_t>(k)].HorseNo - 1)
            .Mark.Set(EngineMarks()[static_cast<std::size_t>(k)]);
    race.SetBets(BetsOf(list, runners));
}

}  // namespace talpo
