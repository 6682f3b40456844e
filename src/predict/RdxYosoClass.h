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

    std::string GetVenueName() const { return Race().VenueName.Get(); }
    std::string GetVenueCode() const { return Race().VenueCode.Get(); }
    std::string GetMeetingNo() const { return Race().MeetingNo.Get(); }
    std::string GetMeetingDay() const { return Race().MeetingDay.Get(); }
    std::string GetRaceNo() const { return Race().RaceNo.Get(); }
    std::string GetYear() const { return Race().Year.Get(); }
    std::string GetMonth() const { return Race().Month.Get(); }
    std::string GetDay() const { return Race().Day.Get(); }
    std::string GetRaceDate() const { return Race().RaceDate.Get(); }
    std::string GetRaceName() const { return Race().RaceName.Get(); }
    std::string GetSurface() const { return Race().Surface.Get(); }
    std::string GetDistance() const { return Race().Distance.Get(); }
    std::string GetRunnerCount() const { return Race().RunnerCount.Get(); }
    std::string GetRaceClass() const { return Race().RaceClass.Get(); }
    std::string GetStartTime() const { return Race().StartTime.Get(); }

    void SetVenueName(std::string_view v) { Race().VenueName.Set(v); }
    void SetVenueCode(std::string_view v) { Race().VenueCode.Set(v); }
    void SetMeetingNo(std::string_view v) { Race().MeetingNo.Set(v); }
    void SetMeetingDay(std::string_view v) { Race().MeetingDay.Set(v); }
    void SetRaceNo(std::string_view v) { Race().RaceNo.Set(v); }
    void SetYear(std::string_view v) { Race().Year.Set(v); }
    void SetMonth(std::string_view v) { Race().Month.Set(v); }
    void SetDay(std::string_view v) { Race().Day.Set(v); }
    void SetRaceDate(std::string_view v) { Race().RaceDate.Set(v); }
    void SetRaceName(std::string_view v) { Race().RaceName.Set(v); }
    void SetSurface(std::string_view v) { Race().Surface.Set(v); }
    void SetDistance(std::string_view v) { Race().Distance.Set(v); }
    void SetRunnerCount(std::string_view v) { Race().RunnerCount.Set(v); }
    void SetRaceClass(std::string_view v) { Race().RaceClass.Set(v); }
    void SetStartTime(std::string_view v) { Race().StartTime.Set(v); }

    // Bet slots, chosen by BetIndex (win and place 0..8, pairs 0..39).
    std::string GetWinBet() const { return Race().WinBets[Slot(WinPlaceSlots)].Get(); }
    std::string GetPlaceBet() const { return Race().PlaceBets[Slot(WinPlaceSlots)].Get(); }
    std::string GetPairBet() const { return Race().PairBets[Slot(PairSlots)].Get(); }
    void SetWinBet(std::string_view v) { Race().WinBets[Slot(WinPlaceSlots)].Set(v); }
    void SetPlaceBet(std::string_view v) { Race().PlaceBets[Slot(WinPlaceSlots)].Set(v); }
    void SetPairBet(std::string_view v) { Race().PairBets[Slot(PairSlots)].Set(v); }

    // Horse entries, chosen by HorseIndex (0..17).
    std::string GetHorseName() const { return Horse().HorseName.Get(); }
    std::string GetSexAge() const { return Horse().SexAge.Get(); }
    std::string GetJockey() const { return Horse().Jockey.Get(); }
    std::string GetTrainer() const { return Horse().Trainer.Get(); }
    std::string GetBracket() const { return Horse().Bracket.Get(); }
    std::string GetHorseNo() const { return Horse().HorseNo.Get(); }
    std::string GetMark() const { return Horse().Mark.Get(); }
    std::int32_t GetIndex() const { return Horse().Index; }
    void SetHorseName(std::string_view v) { Horse().HorseName.Set(v); }
    void SetSexAge(std::string_view v) { Horse().SexAge.Set(v); }
    void SetJockey(std::string_view v) { Horse().Jockey.Set(v); }
    void SetTrainer(std::string_view v) { Horse().Trainer.Set(v); }
    void SetBracket(std::string_view v) { Horse().Bracket.Set(v); }
    void SetHorseNo(std::string_view v) { Horse().HorseNo.Set(v); }
    void SetMark(std::string_view v) { Horse().Mark.Set(v); }
    void SetIndex(std::int32_t v) { Horse().Index = v; }

    // Race `race` (0-based), every cursor left where it is; another index raises the list's index error.
    const TYosoRace& Race(std::int32_t race) const;
    TYosoRace& Race(std::int32_t race);

private:
    const TYosoRace& Race() const { return Race(RaceIndex); }
    TYosoRace& Race() { return Race(RaceIndex); }
    std::size_t Slot(int slots) const;
    const TYosoHorse& Horse() const { return Race().Horse(HorseIndex); }
    TYosoHorse& Horse() { return Race().Horse(HorseIndex); }

    std::vector<TYosoRace> races_;
};

}  // namespace talpo
