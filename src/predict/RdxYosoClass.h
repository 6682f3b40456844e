// TYoso: the prediction store. Per race a copy of the header, per runner the listing fields with the
// engine's mark and index, and the recommended bets, as values and as the slot texts the bet files hold.
// Every text field is CP932 with a byte width: a setter keeps the first N bytes (a cut may split a
// double-byte character), a getter returns what was kept. Races are read by index (TYoso::Race).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "predict/Bets.h"

namespace talpo {

// A text field of the store: up to N bytes kept in place. A day of ten thousand races holds two hundred
// such fields a race; a string each would take six times the room.
template <std::size_t N>
class TYosoText {
public:
    static_assert(N < 256);
    std::string Get() const { return std::string(bytes_.data(), size_); }
    // Keeps the first N bytes (a cut may split a double-byte character).
    void Set(std::string_view value) {
        size_ = static_cast<std::uint8_t>(std::min(value.size(), N));
        std::memcpy(bytes_.data(), value.data(), size_);
    }

private:
    std::array<char, N> bytes_{};
    std::uint8_t size_ = 0;
};

struct TYosoHorse {
    TYosoText<20> HorseName;
    TYosoText<4> SexAge;
    TYosoText<8> Jockey;
    TYosoText<8> Trainer;
    TYosoText<1> Bracket;
    TYosoText<2> HorseNo;
    TYosoText<2> Mark;
    std::int32_t Index = 0;
};

struct TYosoRace {
    TYosoText<4> VenueName;
    TYosoText<2> VenueCode;
    TYosoText<1> MeetingNo;
    TYosoText<1> MeetingDay;
    TYosoText<2> RaceNo;
    TYosoText<4> Year;
    TYosoText<2> Month;
    TYosoText<2> Day;
    TYosoText<8> RaceDate;
    TYosoText<40> RaceName;
    TYosoText<2> Surface;
    TYosoText<4> Distance;
    TYosoText<2> RunnerCount;
    TYosoText<8> RaceClass;
    TYosoText<5> StartTime;
    std::array<TYosoText<2>, 9> WinBets;
    std::array<TYosoText<2>, 9> PlaceBets;
    std::array<TYosoText<5>, 40> PairBets;
    std::array<TYosoHorse, 18> Horses;

    // Horse `horse` (0..17); another index raises the list's index error.
    const TYosoHorse& Horse(std::int32_t horse) const;
    TYosoHorse& Horse(std::int32_t horse);

    // The engine's bets in the order they are bought: the win, the places, the pairs. None for a race
    // without a prediction.
    std::span<const Bet> Tickets() const { return {bets_.data(), betCount_}; }
    // The engine's writing of the bets: the values, and the slot texts made from them (SlotTexts). A
    // declined race has none, and its first slots say so.
    void SetBets(std::span<const Bet> bets);
    void SetDeclined();

private:
    std::array<Bet, kMaxBets> bets_{};
    std::uint8_t betCount_ = 0;
};

// What the engine's bets say of a race, from its first win slot: "--" when too many runners lack figures,
// empty when it has no runners (or was never reached). Every output, the command line and the back-test
// ask this one function.
enum class RacePrediction { Made, Declined, NoRunners };
RacePrediction PredictionOf(const TYosoRace& race);
inline bool HasPrediction(const TYosoRace& race) {
    return PredictionOf(race) == RacePrediction::Made;
}

// The runners the store holds for the race: its stored count, clamped by TDenRec::RunnerSlots as the race
// card's is. A count that is no number raises "'%s' は整数ではありません", as it does when read from the race
// card; the engine stores none such, so only a store made by hand meets it.
int RunnerSlots(const TYosoRace& race);

// The first `count` slots of one row as the store's texts have them, made from the race's bets: each bet's
// SlotText in order, then empty texts; a declined race's first slot holds kNoPredictionBet (a pair's
// kNoPredictionPair).
std::vector<std::string> SlotTexts(const TYosoRace& race, BetSlots row, std::size_t count);

class TYoso {
public:
    static constexpr int HorseSlots = 18;
    static constexpr int WinPlaceSlots = 9;
    static constexpr int PairSlots = 40;

    explicit TYoso(std::int32_t raceCount);

    // A day's store is held once: a copy is a move.
    TYoso(const TYoso&) = delete;
    TYoso& operator=(const TYoso&) = delete;
    TYoso(TYoso&&) noexcept = default;
    TYoso& operator=(TYoso&&) noexcept = default;

    std::int32_t RaceCount = 0;
    std::int32_t RaceIndex = 0;
    std::int32_t HorseIndex = 0;
    std::int32_t BetIndex = 0;

    std::string GetVenueName() const { return Current().VenueName.Get(); }
    std::string GetVenueCode() const { return Current().VenueCode.Get(); }
    std::string GetMeetingNo() const { return Current().MeetingNo.Get(); }
    std::string GetMeetingDay() const { return Current().MeetingDay.Get(); }
    std::string GetRaceNo() const { return Current().RaceNo.Get(); }
    std::string GetYear() const { return Current().Year.Get(); }
    std::string GetMonth() const { return Current().Month.Get(); }
    std::string GetDay() const { return Current().Day.Get(); }
    std::string GetRaceDate() const { return Current().RaceDate.Get(); }
    std::string GetRaceName() const { return Current().RaceName.Get(); }
    std::string GetSurface() const { return Current().Surface.Get(); }
    std::string GetDistance() const { return Current().Distance.Get(); }
    std::string GetRunnerCount() const { return Current().RunnerCount.Get(); }
    std::string GetRaceClass() const { return Current().RaceClass.Get(); }
    std::string GetStartTime() const { return Current().StartTime.Get(); }

    void SetVenueName(std::string_view v) { Current().VenueName.Set(v); }
    void SetVenueCode(std::string_view v) { Current().VenueCode.Set(v); }
    void SetMeetingNo(std::string_view v) { Current().MeetingNo.Set(v); }
    void SetMeetingDay(std::string_view v) { Current().MeetingDay.Set(v); }
    void SetRaceNo(std::string_view v) { Current().RaceNo.Set(v); }
    void SetYear(std::string_view v) { Current().Year.Set(v); }
    void SetMonth(std::string_view v) { Current().Month.Set(v); }
    void SetDay(std::string_view v) { Current().Day.Set(v); }
    void SetRaceDate(std::string_view v) { Current().RaceDate.Set(v); }
    void SetRaceName(std::string_view v) { Current().RaceName.Set(v); }
    void SetSurface(std::string_view v) { Current().Surface.Set(v); }
    void SetDistance(std::string_view v) { Current().Distance.Set(v); }
    void SetRunnerCount(std::string_view v) { Current().RunnerCount.Set(v); }
    void SetRaceClass(std::string_view v) { Current().RaceClass.Set(v); }
    void SetStartTime(std::string_view v) { Current().StartTime.Set(v); }

    // Bet slots, chosen by BetIndex (win and place 0..8, pairs 0..39).
    std::string GetWinBet() const { return Current().WinBets[Slot(WinPlaceSlots)].Get(); }
    std::string GetPlaceBet() const { return Current().PlaceBets[Slot(WinPlaceSlots)].Get(); }
    std::string GetPairBet() const { return Current().PairBets[Slot(PairSlots)].Get(); }
    void SetWinBet(std::string_view v) { Current().WinBets[Slot(WinPlaceSlots)].Set(v); }
    void SetPlaceBet(std::string_view v) { Current().PlaceBets[Slot(WinPlaceSlots)].Set(v); }
    void SetPairBet(std::string_view v) { Current().PairBets[Slot(PairSlots)].Set(v); }

    // Horse entries, chosen by HorseIndex (0..17).
    std::string GetHorseName() const { return CurrentHorse().HorseName.Get(); }
    std::string GetSexAge() const { return CurrentHorse().SexAge.Get(); }
    std::string GetJockey() const { return CurrentHorse().Jockey.Get(); }
    std::string GetTrainer() const { return CurrentHorse().Trainer.Get(); }
    std::string GetBracket() const { return CurrentHorse().Bracket.Get(); }
    std::string GetHorseNo() const { return CurrentHorse().HorseNo.Get(); }
    std::string GetMark() const { return CurrentHorse().Mark.Get(); }
    std::int32_t GetIndex() const { return CurrentHorse().Index; }
    void SetHorseName(std::string_view v) { CurrentHorse().HorseName.Set(v); }
    void SetSexAge(std::string_view v) { CurrentHorse().SexAge.Set(v); }
    void SetJockey(std::string_view v) { CurrentHorse().Jockey.Set(v); }
    void SetTrainer(std::string_view v) { CurrentHorse().Trainer.Set(v); }
    void SetBracket(std::string_view v) { CurrentHorse().Bracket.Set(v); }
    void SetHorseNo(std::string_view v) { CurrentHorse().HorseNo.Set(v); }
    void SetMark(std::string_view v) { CurrentHorse().Mark.Set(v); }
    void SetIndex(std::int32_t v) { CurrentHorse().Index = v; }

    // Race `race` (0-based), every cursor left where it is; another index raises the list's index error.
    const TYosoRace& Race(std::int32_t race) const;
    TYosoRace& Race(std::int32_t race);

private:
    const TYosoRace& Current() const { return Race(RaceIndex); }
    TYosoRace& Current() { return Race(RaceIndex); }
    std::size_t Slot(int slots) const;
    const TYosoHorse& CurrentHorse() const { return Current().Horse(HorseIndex); }
    TYosoHorse& CurrentHorse() { return Current().Horse(HorseIndex); }

    std::vector<TYosoRace> races_;
};

}  // namespace talpo
