// Stores and folder looks for the writer tests.
#include "OutputTestSupport.h"

#include <algorithm>

#include "common/Cp932.h"

namespace talpo::test {
namespace {

HorseFill PlainHorse(int no, int bracket) {
    HorseFill h;
    h.Bracket = std::to_string(bracket);
    h.HorseNo = std::to_string(no);
    h.HorseName = "アイウエオカキクケコ";
    h.SexAge = "セ10";
    h.Jockey = "騎手名前";
    h.Trainer = "調教師名";
    h.Index = 100 + no;
    return h;
}

// Bracket of horse `no`: one horse per bracket up to 8 runners, then the highest brackets take the
// second (and from 17 runners the third) horse first.
int BracketOf(int no, int runners) {
    if (runners <= 8) return no;
    int last = 0;
    for (int bracket = 1; bracket <= 8; ++bracket) {
        const int base = runners <= 16 ? 1 : 2;
        const int extra = runners <= 16 ? runners - 8 : runners - 16;
        last += base + (bracket > 8 - extra ? 1 : 0);
        if (no <= last) return bracket;
    }
    return 8;
}

void FillHorses(RaceFill& race, int runners) {
    race.RunnerCount = std::to_string(runners);
    for (int no = 1; no <= runners; ++no) race.Horses.push_back(PlainHorse(no, BracketOf(no, runners)));
}

}  // namespace

RaceFill SixteenRunnerRace11() {
    RaceFill race;
    race.RaceNo = "11";
    race.RaceName = "テスト特別";
    FillHorses(race, 16);
    race.WinBets = {" 7"};
    race.PlaceBets = {" 7", "12", " 3"};
    race.PairBets = {" 7-12", " 3- 7", " 3-12", " 1- 7", " 1-12", " 1- 3", " 7-15", "12-15"};
    return race;
}

RaceFill EightRunnerRace1() {
    RaceFill race;
    race.RaceNo = "1";
    FillHorses(race, 8);
    race.WinBets = {" 4"};
    race.PlaceBets = {" 4", " 2", " 6"};
    race.PairBets = {"   24", "   46", "   26", "   14", "   12", "   16", "   48", "   28"};
    return race;
}

RaceFill ReportSampleRace() {
    RaceFill race;
    race.RaceNo = "11";
    race.RaceName = "テスト記念";
    race.RaceClass = "オープン";
    race.Surface = "芝";
    race.Distance = "2400";
    race.StartTime = "15:40";
    FillHorses(race, 18);
    race.Horses[0] = {"1", "1", "◎", "サンプルホース", "牡4", "騎手名", "調教師", 62};
    race.WinBets = {" 1"};
    race.PlaceBets = {" 1", " 7", "12"};
    race.PairBets = {" 1- 7", " 1-12", " 7-12", " 1- 3", " 3- 7", " 3-12", " 1- 5", " 5- 7"};
    return race;
}

RaceFill NoPredictionRace(int runners) {
    RaceFill race;
    FillHorses(race, runners);
    for (HorseFill& h : race.Horses) h.Index = 0;
    race.WinBets = {"--"};
    race.PlaceBets = {"--"};
    race.PairBets = {"-----"};
    return race;
}

RaceFill SmallRace(int runners) {
    RaceFill race;
    FillHorses(race, runners);
    // Ranked in horse-number order; the engine names ranks up to 5 and leaves missing ones empty.
    const auto rank = [runners](int k) { return k <= runners ? " " + std::to_string(k) : std::string(); };
    const auto pair = [&](int a, int b) {
        return a <= runners && b <= runners ? "   " + std::to_string(a) + std::to_string(b) : std::string();
    };
    if (runners > 0) {
        race.WinBets = {rank(1)};
        race.PlaceBets = {rank(1), rank(2), rank(3)};
        race.PairBets = {pair(1, 2), pair(1, 3), pair(2, 3), pair(1, 4),
                         pair(2, 4), pair(3, 4), pair(1, 5), pair(2, 5)};
        const char* const marks[] = {"◎", "○", "▲"};
        for (int k = 0; k < runners && k < 3; ++k) race.Horses[static_cast<std::size_t>(k)].Mark = marks[k];
    }
    return race;
}

TYoso MakeYoso(const std::vector<RaceFill>& races) {
    TYoso yoso(static_cast<std::int32_t>(races.size()));
    for (std::size_t r = 0; r < races.size(); ++r) {
        const RaceFill& f = races[r];
        yoso.RaceIndex = static_cast<std::int32_t>(r);
        yoso.SetVenueName(Sj(f.VenueName));
        yoso.SetVenueCode(Sj(f.VenueCode));
        yoso.SetMeetingNo(Sj(f.MeetingNo));
        yoso.SetMeetingDay(Sj(f.MeetingDay));
        yoso.SetRaceNo(Sj(f.RaceNo));
        yoso.SetYear(Sj(f.Year));
        yoso.SetMonth(Sj(f.Month));
        yoso.SetDay(Sj(f.Day));
        yoso.SetRaceDate(Sj(f.RaceDate));
        yoso.SetRaceName(Sj(f.RaceName));
        yoso.SetSurface(Sj(f.Surface));
        yoso.SetDistance(Sj(f.Distance));
        yoso.SetRunnerCount(Sj(f.RunnerCount));
        yoso.SetRaceClass(Sj(f.RaceClass));
        yoso.SetStartTime(Sj(f.StartTime));
        for (std::size_t s = 0; s < f.WinBets.size(); ++s) {
            yoso.BetIndex = static_cast<std::int32_t>(s);
            yoso.SetWinBet(Sj(f.WinBets[s]));
        }
        for (std::size_t s = 0; s < f.PlaceBets.size(); ++s) {
            yoso.BetIndex = static_cast<std::int32_t>(s);
            yoso.SetPlaceBet(Sj(f.PlaceBets[s]));
        }
        for (std::size_t s = 0; s < f.PairBets.size(); ++s) {
            yoso.BetIndex = static_cast<std::int32_t>(s);
            yoso.SetPairBet(Sj(f.PairBets[s]));
        }
        for (std::size_t h = 0; h < f.Horses.size(); ++h) {
            const HorseFill& horse = f.Horses[h];
            yoso.HorseIndex = static_cast<std::int32_t>(h);
            yoso.SetBracket(Sj(horse.Bracket));
            yoso.SetHorseNo(Sj(horse.HorseNo));
            yoso.SetMark(Sj(horse.Mark));
            yoso.SetHorseName(Sj(horse.HorseName));
            yoso.SetSexAge(Sj(horse.SexAge));
            yoso.SetJockey(Sj(horse.Jockey));
            yoso.SetTrainer(Sj(horse.Trainer));
            yoso.SetIndex(horse.Index);
        }
    }
    yoso.RaceIndex = 0;
    yoso.HorseIndex = 0;
    yoso.BetIndex = 0;
    return yoso;
}

std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace talpo::test
