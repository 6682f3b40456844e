// The prediction store's record selection: a bad race or horse index, by cursor or given, is the list's
// index error; the bet cursor is the caller's to keep in range, and a slip is refused rather than read out
// of bounds.
#include "predict/RdxYosoClass.h"

#include <algorithm>

#include "common/StrConv.h"
#include "common/TalpoError.h"
#include "data/TypeRdx.h"

namespace talpo {

RacePrediction PredictionOf(const TYosoRace& race) {
    const std::string win = race.WinBets[0].Get();
    if (win.empty()) return RacePrediction::NoRunners;
    return win == kNoPredictionBet ? RacePrediction::Declined : RacePrediction::Made;
}

int RunnerSlots(const TYosoRace& race) {
    return TDenRec::RunnerSlots(StrToInt(race.RunnerCount.Get()));
}

TYoso::TYoso(std::int32_t raceCount) : races_(static_cast<std::size_t>(std::max(raceCount, 0))) {
    RaceCount = static_cast<std::int32_t>(races_.size());
}

const TYosoRace& TYoso::RaceAt(std::int32_t race) const {
    if (race < 0 || race >= RaceCount) throw ListIndexError(race);
    return races_[static_cast<std::size_t>(race)];
}

const TYosoHorse& TYoso::HorseAt(std::int32_t race, std::int32_t horse) const {
    const TYosoRace& record = RaceAt(race);
    if (horse < 0 || horse >= HorseSlots) throw ListIndexError(horse);
    return record.Horses[static_cast<std::size_t>(horse)];
}

TYosoRace& TYoso::Race() {
    return const_cast<TYosoRace&>(static_cast<const TYoso*>(this)->Race());
}

std::size_t TYoso::Bet(int slots) const {
    if (BetIndex < 0 || BetIndex >= slots) throw ListIndexError(BetIndex);
    return static_cast<std::size_t>(BetIndex);
}

TYosoHorse& TYoso::Horse() {
    return const_cast<TYosoHorse&>(static_cast<const TYoso*>(this)->Horse());
}

}  // namespace talpo
