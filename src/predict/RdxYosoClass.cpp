// The prediction store's record selection: a bad race or horse index, by cursor or given, is the list's
// index error; the bet cursor is the caller's to keep in range, and a slip is refused rather than read out
// of bounds. And the one place where a race's slot texts are made from its bets.
#include "predict/RdxYosoClass.h"

#include <algorithm>

#include "common/StrConv.h"
#include "common/TalpoError.h"
#include "data/TypeRdx.h"

namespace talpo {
namespace {

template <std::size_t N, std::size_t Width>
void Fill(std::array<TYosoText<Width>, N>& slots, const std::vector<std::string>& texts) {
    for (std::size_t s = 0; s < N; ++s) slots[s].Set(texts[s]);
}

}  // namespace

RacePrediction PredictionOf(const TYosoRace& race) {
    const std::string win = race.WinBets[0].Get();
    if (win.empty()) return RacePrediction::NoRunners;
    return win == kNoPredictionBet ? RacePrediction::Declined : RacePrediction::Made;
}

int RunnerSlots(const TYosoRace& race) {
    return TDenRec::RunnerSlots(StrToInt(race.RunnerCount.Get()));
}

std::vector<std::string> SlotTexts(const TYosoRace& race, BetSlots row, std::size_t count) {
    std::vector<std::string> texts;
    if (PredictionOf(race) == RacePrediction::Declined)
        texts.emplace_back(row == BetSlots::Pair ? kNoPredictionPair : kNoPredictionBet);
    for (const Bet& bet : race.Tickets())
        if (SlotsOf(bet.Type) == row) texts.push_back(SlotText(bet));
    texts.resize(count);
    return texts;
}

const TYosoHorse& TYosoRace::Horse(std::int32_t horse) const {
    if (horse < 0 || horse >= TYoso::HorseSlots) throw ListIndexError(horse);
    return Horses[static_cast<std::size_t>(horse)];
}

TYosoHorse& TYosoRace::Horse(std::int32_t horse) {
    return const_cast<TYosoHorse&>(static_cast<const TYosoRace*>(this)->Horse(horse));
}

void TYosoRace::SetBets(std::span<const Bet> bets) {
    betCount_ = static_cast<std::uint8_t>(std::min(bets.size(), bets_.size()));
    std::copy_n(bets.begin(), betCount_, bets_.begin());
    WinBets[0].Set("");  // no longer declined
    Fill(WinBets, SlotTexts(*this, BetSlots::Win, WinBets.size()));
    Fill(PlaceBets, SlotTexts(*this, BetSlots::Place, PlaceBets.size()));
    Fill(PairBets, SlotTexts(*this, BetSlots::Pair, PairBets.size()));
}

void TYosoRace::SetDeclined() {
    SetBets({});
    WinBets[0].Set(kNoPredictionBet);
    PlaceBets[0].Set(kNoPredictionBet);
    PairBets[0].Set(kNoPredictionPair);
}

TYoso::TYoso(std::int32_t raceCount) : races_(static_cast<std::size_t>(std::max(raceCount, 0))) {
    RaceCount = static_cast<std::int32_t>(races_.size());
}

const TYosoRace& TYoso::Race(std::int32_t race) const {
    if (race < 0 || race >= RaceCount) throw ListIndexError(race);
    return races_[static_cast<std::size_t>(race)];
}

TYosoRace& TYoso::Race(std::int32_t race) {
    return const_cast<TYosoRace&>(static_cast<const TYoso*>(this)->Race(race));
}

std::size_t TYoso::Slot(int slots) const {
    if (BetIndex < 0 || BetIndex >= slots) throw ListIndexError(BetIndex);
    return static_cast<std::size_t>(BetIndex);
}

}  // namespace talpo
