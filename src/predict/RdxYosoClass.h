// TYoso: the prediction store. Per race a copy of the header, per runner the listing fields with the
// engine's mark and index, and the recommended bets. Every text field is CP932 with a byte width: a
// setter keeps the first N bytes (a cut may split a double-byte character), a getter returns what was kept.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace talpo {

struct TYosoHorse {
    std::string HorseName;  // 20
    std::string SexAge;     // 4
    std::string Jockey;     // 8
    std::string Trainer;    // 8
    std::string Bracket;    // 1
    std::string HorseNo;    // 2
    std::string Mark;       // 2
    std::int32_t Index = 0;
};

struct TYosoRace {
    std::string VenueName;    // 4
    std::string VenueCode;    // 2
    std::string MeetingNo;    // 1
    std::string MeetingDay;   // 1
    std::string RaceNo;       // 2
    std::string Year;         // 4
    std::string Month;        // 2
    std::string Day;          // 2
    std::string RaceDate;     // 8
    std::string RaceName;     // 40
    std::string Surface;      // 2
    std::string Distance;     // 4
    std::string RunnerCount;  // 2
    std::string RaceClass;    // 8
    std::string StartTime;    // 5
    std::array<std::string, 9> WinBets;    // 2 each
    std::array<std::string, 9> PlaceBets;  // 2 each
    std::array<std::string, 40> PairBets;  // 5 each
    std::array<TYosoHorse, 18> Horses;
};

class TYoso {
public:
    static constexpr int HorseSlots = 18;
    static constexpr int WinPlaceSlots = 9;
    static constexpr int PairSlots = 40;

    explicit TYoso(std::int32_t raceCount);

    std::int32_t RaceCount = 0;
    std::int32_t RaceIndex = 0;
    std::int32_t HorseIndex = 0;
    std::int32_t BetIndex = 0;

    std::string GetVenueName() const { return Race().VenueName; }
    std::string GetVenueCode() const { return Race().VenueCode; }
    std::string GetMeetingNo() const { return Race().MeetingNo; }
    std::string GetMeetingDay() const { return Race().MeetingDay; }
    std::string GetRaceNo() const { return Race().RaceNo; }
    std::string GetYear() const { return Race().Year; }
    std::string GetMonth() const { return Race().Month; }
    std::string GetDay() const { return Race().Day; }
    std::string GetRaceDate() const { return Race().RaceDate; }
    std::string GetRaceName() const { return Race().RaceName; }
    std::string GetSurface() const { return Race().Surface; }
    std::string GetDistance() const { return Race().Distance; }
    std::string GetRunnerCount() const { return Race().RunnerCount; }
    std::string GetRaceClass() const { return Race().RaceClass; }
    std::string GetStartTime() const { return Race().StartTime; }

    void SetVenueName(const std::string& v) { Store(Race().VenueName, v, 4); }
    void SetVenueCode(const std::string& v) { Store(Race().VenueCode, v, 2); }
    void SetMeetingNo(const std::string& v) { Store(Race().MeetingNo, v, 1); }
    void SetMeetingDay(const std::string& v) { Store(Race().MeetingDay, v, 1); }
    void SetRaceNo(const std::string& v) { Store(Race().RaceNo, v, 2); }
    void SetYear(const std::string& v) { Store(Race().Year, v, 4); }
    void SetMonth(const std::string& v) { Store(Race().Month, v, 2); }
    void SetDay(const std::string& v) { Store(Race().Day, v, 2); }
    void SetRaceDate(const std::string& v) { Store(Race().RaceDate, v, 8); }
    void SetRaceName(const std::string& v) { Store(Race().RaceName, v, 40); }
    void SetSurface(const std::string& v) { Store(Race().Surface, v, 2); }
    void SetDistance(const std::string& v) { Store(Race().Distance, v, 4); }
    void SetRunnerCount(const std::string& v) { Store(Race().RunnerCount, v, 2); }
    void SetRaceClass(const std::string& v) { Store(Race().RaceClass, v, 8); }
    void SetStartTime(const std::string& v) { Store(Race().StartTime, v, 5); }

    // Bet slots, chosen by BetIndex (win and place 0..8, pairs 0..39).
    std::string GetWinBet() const { return Race().WinBets[Bet(WinPlaceSlots)]; }
    std::string GetPlaceBet() const { return Race().PlaceBets[Bet(WinPlaceSlots)]; }
    std::string GetPairBet() const { return Race().PairBets[Bet(PairSlots)]; }
    void SetWinBet(const std::string& v) { Store(Race().WinBets[Bet(WinPlaceSlots)], v, 2); }
    void SetPlaceBet(const std::string& v) { Store(Race().PlaceBets[Bet(WinPlaceSlots)], v, 2); }
    void SetPairBet(const std::string& v) { Store(Race().PairBets[Bet(PairSlots)], v, 5); }

    // Horse entries, chosen by HorseIndex (0..17).
    std::string GetHorseName() const { return Horse().HorseName; }
    std::string GetSexAge() const { return Horse().SexAge; }
    std::string GetJockey() const { return Horse().Jockey; }
    std::string GetTrainer() const { return Horse().Trainer; }
    std::string GetBracket() const { return Horse().Bracket; }
    std::string GetHorseNo() const { return Horse().HorseNo; }
    std::string GetMark() const { return Horse().Mark; }
    std::int32_t GetIndex() const { return Horse().Index; }
    void SetHorseName(const std::string& v) { Store(Horse().HorseName, v, 20); }
    void SetSexAge(const std::string& v) { Store(Horse().SexAge, v, 4); }
    void SetJockey(const std::string& v) { Store(Horse().Jockey, v, 8); }
    void SetTrainer(const std::string& v) { Store(Horse().Trainer, v, 8); }
    void SetBracket(const std::string& v) { Store(Horse().Bracket, v, 1); }
    void SetHorseNo(const std::string& v) { Store(Horse().HorseNo, v, 2); }
    void SetMark(const std::string& v) { Store(Horse().Mark, v, 2); }
    void SetIndex(std::int32_t v) { Horse().Index = v; }

    // The whole record of the current race, for readers that walk it (JSON, terminal view).
    const TYosoRace& CurrentRace() const { return Race(); }

private:
    static void Store(std::string& field, const std::string& value, std::size_t width) {
        field.assign(value, 0, width);
    }
    const TYosoRace& Race() const;
    TYosoRace& Race();
    std::size_t Bet(int slots) const;
    const TYosoHorse& Horse() const;
    TYosoHorse& Horse();

    std::vector<TYosoRace> races_;
};

}  // namespace talpo
