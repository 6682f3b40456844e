// JSON output of talpo-cli predict --json.
#include "cli/CliJson.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "common/Cp932.h"
#include "common/StrConv.h"

namespace talpo::cli {
namespace {

using Json = nlohmann::ordered_json;

Json Slots(TYoso& yoso, int count, std::string (TYoso::*get)() const) {
    Json slots = Json::array();
    for (int s = 0; s < count; ++s) {
        yoso.BetIndex = s;
        slots.push_back(Cp932ToUtf8((yoso.*get)()));
    }
    return slots;
}

Json Horses(TYoso& yoso, int runners) {
    Json horses = Json::array();
    for (int h = 0; h < runners; ++h) {
        yoso.HorseIndex = h;
        horses.push_back({{"no", Cp932ToUtf8(yoso.GetHorseNo())},
                          {"bracket", Cp932ToUtf8(yoso.GetBracket())},
                          {"name", Cp932ToUtf8(yoso.GetHorseName())},
                          {"sex_age", Cp932ToUtf8(yoso.GetSexAge())},
                          {"jockey", Cp932ToUtf8(yoso.GetJockey())},
                          {"trainer", Cp932ToUtf8(yoso.GetTrainer())},
                          {"mark", Cp932ToUtf8(yoso.GetMark())},
                          {"index", yoso.GetIndex()}});
    }
    return horses;
}

Json Race(TYoso& y, int runners) {
    Json race = {{"venue", Cp932ToUtf8(y.GetVenueName())},
                 {"venue_code", Cp932ToUtf8(y.GetVenueCode())},
                 {"meeting_no", Cp932ToUtf8(y.GetMeetingNo())},
                 {"meeting_day", Cp932ToUtf8(y.GetMeetingDay())},
                 {"race_no", Cp932ToUtf8(y.GetRaceNo())},
                 {"year", Cp932ToUtf8(y.GetYear())},
                 {"month", Cp932ToUtf8(y.GetMonth())},
                 {"day", Cp932ToUtf8(y.GetDay())},
                 {"date", Cp932ToUtf8(y.GetRaceDate())},
                 {"name", Cp932ToUtf8(y.GetRaceName())},
                 {"surface", Cp932ToUtf8(y.GetSurface())},
                 {"distance", Cp932ToUtf8(y.GetDistance())},
                 {"runner_count", Cp932ToUtf8(y.GetRunnerCount())},
                 {"class", Cp932ToUtf8(y.GetRaceClass())},
                 {"start_time", Cp932ToUtf8(y.GetStartTime())}};
    race["win"] = Slots(y, 3, &TYoso::GetWinBet);
    race["place"] = Slots(y, 3, &TYoso::GetPlaceBet);
    race["pairs"] = Slots(y, 8, &TYoso::GetPairBet);
    race["horses"] = Horses(y, runners);
    return race;
}

// The runners the store holds for the race: its count, clamped like every numeric use of it. A race the
// engine never reached has an empty count and no runners.
int StoredRunners(const TYoso& yoso) {
    const auto count = TryStrToInt(yoso.GetRunnerCount());
    return count ? std::clamp(*count, 0, TYoso::HorseSlots) : 0;
}

}  // namespace

std::string StoreToJson(const TDenma& Denma, TYoso& Yoso) {
    const int saved[] = {Yoso.RaceIndex, Yoso.HorseIndex, Yoso.BetIndex};
    Json races = Json::array();
    for (int r = 0; r < Denma.RaceCount; ++r) {
        Yoso.RaceIndex = r;
        races.push_back(Race(Yoso, StoredRunners(Yoso)));
    }
    Yoso.RaceIndex = saved[0];
    Yoso.HorseIndex = saved[1];
    Yoso.BetIndex = saved[2];
    return Json{{"races", races}}.dump(2) + "\n";
}

}  // namespace talpo::cli
