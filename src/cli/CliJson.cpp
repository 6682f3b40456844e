// JSON output of talpo-cli predict --json.
#include "cli/CliJson.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

#include "cli/CliStore.h"
#include "common/Cp932.h"
#include "common/StrConv.h"

namespace talpo::cli {
namespace {

using Json = nlohmann::ordered_json;

// The first Count slots of one kind of bet; the store keeps more than the JSON lists.
template <std::size_t Count, std::size_t N, std::size_t Width>
Json Slots(const std::array<TYosoText<Width>, N>& bets) {
    static_assert(Count <= N);
    Json slots = Json::array();
    for (std::size_t s = 0; s < Count; ++s) slots.push_back(Cp932ToUtf8(bets[s].Get()));
    return slots;
}

Json Horses(const TYosoRace& race, int runners) {
    Json horses = Json::array();
    for (int h = 0; h < runners; ++h) {
        const TYosoHorse& horse = race.Horses[static_cast<std::size_t>(h)];
        horses.push_back({{"no", Cp932ToUtf8(horse.HorseNo.Get())},
                          {"bracket", Cp932ToUtf8(horse.Bracket.Get())},
                          {"name", Cp932ToUtf8(horse.HorseName.Get())},
                          {"sex_age", Cp932ToUtf8(horse.SexAge.Get())},
                          {"jockey", Cp932ToUtf8(horse.Jockey.Get())},
                          {"trainer", Cp932ToUtf8(horse.Trainer.Get())},
                          {"mark", Cp932ToUtf8(horse.Mark.Get())},
                          {"index", horse.Index}});
    }
    return horses;
}

Json Race(const TYosoRace& r, int runners) {
    Json race = {{"venue", Cp932ToUtf8(r.VenueName.Get())},
                 {"venue_code", Cp932ToUtf8(r.VenueCode.Get())},
                 {"meeting_no", Cp932ToUtf8(r.MeetingNo.Get())},
                 {"meeting_day", Cp932ToUtf8(r.MeetingDay.Get())},
                 {"race_no", Cp932ToUtf8(r.RaceNo.Get())},
                 {"year", Cp932ToUtf8(r.Year.Get())},
                 {"month", Cp932ToUtf8(r.Month.Get())},
                 {"day", Cp932ToUtf8(r.Day.Get())},
                 {"date", Cp932ToUtf8(r.RaceDate.Get())},
                 {"name", Cp932ToUtf8(r.RaceName.Get())},
                 {"surface", Cp932ToUtf8(r.Surface.Get())},
                 {"distance", Cp932ToUtf8(r.Distance.Get())},
                 {"runner_count", Cp932ToUtf8(r.RunnerCount.Get())},
                 {"class", Cp932ToUtf8(r.RaceClass.Get())},
                 {"start_time", Cp932ToUtf8(r.StartTime.Get())}};
    race["win"] = Slots<3>(r.WinBets);
    race["place"] = Slots<3>(r.PlaceBets);
    race["pairs"] = Slots<8>(r.PairBets);
    race["horses"] = Horses(r, runners);
    return race;
}

Json Races(const TDenma& Denma, const TYoso& Yoso) {
    Json races = Json::array();
    for (int r = 0; r < Denma.RaceCount; ++r) {
        const TYosoRace& race = Yoso.RaceAt(r);
        races.push_back(Race(race, StoredRunners(race)));
    }
    return races;
}

}  // namespace

std::string StoreToJson(const TDenma& Denma, const TYoso& Yoso) {
    return Json{{"races", Races(Denma, Yoso)}}.dump(2) + "\n";
}

std::string DaysToJson(const std::vector<PredictedDay>& days) {
    Json list = Json::array();
    for (const PredictedDay& day : days) {
        list.push_back({{"input", day.Input}, {"races", Races(*day.Day.Denma, *day.Day.Yoso)}});
    }
    // An input is the user's path, bytes the file system took: anything not UTF-8 in it becomes U+FFFD.
    return Json{{"days", list}}.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace talpo::cli
