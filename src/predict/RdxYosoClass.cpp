// The prediction store's record selection: a bad race cursor is the list's index error; the horse and bet
// cursors are the caller's to keep in range, and a slip is refused rather than read out of bounds.
#include "predict/RdxYosoClass.h"

#include "common/TalpoError.h"

namespace talpo {

TYoso::TYoso(std::int32_t raceCount) {
    if (raceCount > 0) races_.resize(static_cast<std::size_t>(raceCount));
    RaceCount = static_cast<std::int32_t>(races_.size());
}

const TYosoRace& TYoso::Race() const {
    if (RaceIndex < 0 || RaceIndex >= RaceCount) throw ListIndexError(RaceIndex);
    return races_[static_cast<std::size_t>(RaceIndex)];
}

TYosoRace& TYoso::Race() { return const_cast<TYosoRace&>(static_cast<const TYoso*>(this)->Race()); }

std::size_t TYoso::Bet(int slots) const {
    if (BetIndex < 0 || BetIndex >= slots) throw ListIndexError(BetIndex);
    return static_cast<std::size_t>(BetIndex);
}

const TYosoHorse& TYoso::Horse() const {
    const TYosoRace& race = Race();
    if (HorseIndex < 0 || HorseIndex >= HorseSlots) throw ListIndexError(HorseIndex);
    return race.Horses[static_cast<std::size_t>(HorseIndex)];
}

TYosoHorse& TYoso::Horse() { return const_cast<TYosoHorse&>(static_cast<const TYoso*>(this)->Horse()); }

}  // namespace talpo
