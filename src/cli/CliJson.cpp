// JSON output of talpo-cli predict --json.
#include "cli/CliJson.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

#include "common/Cp932.h"
#include "common/StrConv.h"

namespace talpo::cli {
namespace {

using Json = nlohmann::ordered_json;

// A race as the text its JSON value has in a document dumped whole with an indent of 2, written straight
// into one string: building the value first and dumping it took as long as unpacking the day's archive.
// Every text comes from the one CP932 conversion, which gives valid UTF-8, so escaping is all it needs.
class RaceText {
public:
    explicit RaceText(std::size_t indent) : indent_(indent) {}

    std::string Take() { return std::move(out_); }

    void Open(char bracket) {
        out_ += bracket;
        indent_ += 2;
        first_ = true;
    }
    void Close(char bracket) {
        indent_ -= 2;
        // An empty array or object stays on its line, as the dump gives it.
        if (!first_) NewLine();
        out_ += bracket;
        first_ = false;
    }
    // The next value of an array, or the key of the next member of an object.
    void Next(std::string_view key = {}) {
        if (!first_) out_ += ',';
        first_ = false;
        NewLine();
        if (key.empty()) return;
        String(key);
        out_ += ": ";
    }
    void Text(std::string_view key, const std::string& cp932) {
        Next(key);
        String(Cp932ToUtf8(cp932));
    }
    void Number(std::string_view key, std::int32_t value) {
        Next(key);
        out_ += std::to_string(value);
    }
    void Texts(std::string_view key, const std::vector<std::string>& cp932) {
        Next(key);
        Open('[');
        for (const std::string& text : cp932) {
            Next();
            String(Cp932ToUtf8(text));
        }
        Close(']');
    }

private:
    void NewLine() {
        out_ += '\n';
        out_.append(indent_, ' ');
    }
    // The escapes of the dump: the two that JSON demands, the short forms of five controls, \u00xx for
    // the other controls; everything else as it is.
    void String(std::string_view utf8) {
        out_ += '"';
        for (const char ch : utf8) {
            const auto c = static_cast<unsigned char>(ch);
            switch (ch) {
                case '"':
                    out_ += "\\\"";
                    break;
                case '\\':
                    out_ += "\\\\";
                    break;
                case '\b':
                    out_ += "\\b";
                    break;
                case '\f':
                    out_ += "\\f";
                    break;
                case '\n':
                    out_ += "\\n";
                    break;
                case '\r':
                    out_ += "\\r";
                    break;
                case '\t':
                    out_ += "\\t";
                    break;
                default:
                    if (c < 0x20) {
                        static constexpr char kHex[] = "0123456789abcdef";
                        out_ += "\\u00";
                        out_ += kHex[c >> 4];
                        out_ += kHex[c & 0xF];
                    } else {
                        out_ += ch;
                    }
            }
        }
        out_ += '"';
    }

    std::string out_;
    std::size_t indent_;
    bool first_ = true;
};

void AppendHorse(RaceText& json, const TYosoHorse& horse) {
    json.Next();
    json.Open('{');
    json.Text("no", horse.HorseNo.Get());
    json.Text("bracket", horse.Bracket.Get());
    json.Text("name", horse.HorseName.Get());
    json.Text("sex_age", horse.SexAge.Get());
    json.Text("jockey", horse.Jockey.Get());
    json.Text("trainer", horse.Trainer.Get());
    json.Text("mark", horse.Mark.Get());
    json.Number("index", horse.Index);
    json.Close('}');
}

// The race as it stands at the depth of indent, its first line not indented.
std::string Race(const TYosoRace& r, int runners, std::size_t indent) {
    RaceText json(indent);
    json.Open('{');
    json.Text("venue", r.VenueName.Get());
    json.Text("venue_code", r.VenueCode.Get());
    json.Text("meeting_no", r.MeetingNo.Get());
    json.Text("meeting_day", r.MeetingDay.Get());
    json.Text("race_no", r.RaceNo.Get());
    json.Text("year", r.Year.Get());
    json.Text("month", r.Month.Get());
    json.Text("day", r.Day.Get());
    json.Text("date", r.RaceDate.Get());
    json.Text("name", r.RaceName.Get());
    json.Text("surface", r.Surface.Get());
    json.Text("distance", r.Distance.Get());
    json.Text("runner_count", r.RunnerCount.Get());
    json.Text("class", r.RaceClass.Get());
    json.Text("start_time", r.StartTime.Get());
    // Three win slots, as many as the places: the JSON's form, of which only the first is ever filled.
    json.Texts("win", SlotTexts(r, BetSlots::Win, kPlaceSlots));
    json.Texts("place", SlotTexts(r, BetSlots::Place, kPlaceSlots));
    json.Texts("pairs", SlotTexts(r, BetSlots::Pair, kPairSlots));
    json.Next("horses");
    json.Open('[');
    for (int h = 0; h < runners; ++h) AppendHorse(json, r.Horses[static_cast<std::size_t>(h)]);
    json.Close(']');
    json.Close('}');
    return json.Take();
}

// The day's races as the array that stands at the depth of indent, one race at a time.
void WriteRaces(const TDenma& Denma, const TYoso& Yoso, std::size_t indent, const TextWriter& write) {
    if (Denma.RaceCount == 0) {
        write("[]");
        return;
    }
    const std::string margin(indent + 2, ' ');
    write("[");
    for (int r = 0; r < Denma.RaceCount; ++r) {
        const TYosoRace& race = Yoso.Race(r);
        write(r == 0 ? "\n" : ",\n");
        write(margin + Race(race, RunnerSlots(race), indent + 2));
    }
    write("\n" + std::string(indent, ' ') + "]");
}

}  // namespace

void WriteStoreJson(const TDenma& Denma, const TYoso& Yoso, const TextWriter& write) {
    write("{\n  \"races\": ");
    WriteRaces(Denma, Yoso, 2, write);
    write("\n}\n");
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
        WriteRaces(*days[d].Day.Denma, *days[d].Day.Yoso, 6, write);
        write("\n    }");
    }
    write("\n  ]\n}\n");
}

}  // namespace talpo::cli
