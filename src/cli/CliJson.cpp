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

// A value dumped as it would stand at the given depth of a document dumped whole: every line but the
// first moved right. Strings escape their line breaks, so every '\n' of the dump is one of its lines.
std::string Indented(const Json& value, std::size_t indent, Json::error_handler_t onInvalid) {
    const std::string dump = value.dump(2, ' ', false, onInvalid);
    const std::string margin = "\n" + std::string(indent, ' ');
    std::string out;
    out.reserve(dump.size() + dump.size() / 8);
    for (const char c : dump) {
        if (c == '\n') {
            out += margin;
        } else {
            out += c;
        }
    }
    return out;
}

// The day's races as the array that stands at the depth of indent, one race at a time.
void WriteRaces(const TDenma& Denma, const TYoso& Yoso, std::size_t indent, Json::error_handler_t onInvalid,
                const TextWriter& write) {
    if (Denma.RaceCount == 0) {
        write("[]");
        return;
    }
    const std::string margin(indent + 2, ' ');
    write("[");
    for (int r = 0; r < Denma.RaceCount; ++r) {
        const TYosoRace& race = Yoso.RaceAt(r);
        write(r == 0 ? "\n" : ",\n");
        write(margin + Indented(Race(race, StoredRunners(race)), indent + 2, onInvalid));
    }
    write("\n" + std::string(indent, ' ') + "]");
}

}  // namespace

void WriteStoreJson(const TDenma& Denma, const TYoso& Yoso, const TextWriter& write) {
    write("{\n  \"races\": ");
    WriteRaces(Denma, Yoso, 2, Json::error_handler_t::strict, write);
    write("\n}\n");
}

std::string StoreToJson(const TDenma& Denma, const TYoso& Yoso) {
    return ProduceToString([&](const TextWriter& write) { WriteStoreJson(Denma, Yoso, write); });
}

void WriteDaysJson(const std::vector<PredictedDay>& days, const TextWriter& write) {
    // An input is the user's path, bytes the file system took: anything not UTF-8 in it becomes U+FFFD.
    constexpr auto kReplace = Json::error_handler_t::replace;
    if (days.empty()) {
        write("{\n  \"days\": []\n}\n");
        return;
    }
    write("{\n  \"days\": [");
    for (std::size_t d = 0; d < days.size(); ++d) {
        write(d == 0 ? "\n" : ",\n");
        write("    {\n      \"input\": " + Json(days[d].Input).dump(2, ' ', false, kReplace) +
              ",\n      \"races\": ");
        WriteRaces(*days[d].Day.Denma, *days[d].Day.Yoso, 6, kReplace, write);
        write("\n    }");
    }
    write("\n  ]\n}\n");
}

std::string DaysToJson(const std::vector<PredictedDay>& days) {
    return ProduceToString([&](const TextWriter& write) { WriteDaysJson(days, write); });
}

}  // namespace talpo::cli
