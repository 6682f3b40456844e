// The rules of a results row: what its type, venue, date, combination and payout may be, and which rows
// repeat or contradict one another. ResultsCsv hands the rows over as UTF-8 fields; they are compared so.
#include "backtest/ResultsFile.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "backtest/ResultsCsv.h"
#include "backtest/Yen.h"
#include "common/Cp932.h"
#include "common/FileIO.h"
#include "common/TalpoError.h"
#include "data/Courses.h"

namespace talpo {
namespace {

// Full-width digits and minus become ASCII, blanks around the field go: the forms a hand-made file mixes.
std::string Normalized(std::string_view utf8) {
    // Most fields have nothing to change: they are copied as they are.
    if (utf8.find('\xEF') == std::string_view::npos) return std::string(TrimBlanksView(utf8));
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (i + 2 < utf8.size() && utf8[i] == '\xEF' && utf8[i + 1] == '\xBC') {
            const auto c = static_cast<unsigned char>(utf8[i + 2]);
            if (c >= 0x90 && c <= 0x99) {
                out += static_cast<char>('0' + (c - 0x90));
                i += 2;
                continue;
            }
            if (c == 0x8D) {
                out += '-';
                i += 2;
                continue;
            }
        }
        out += utf8[i];
    }
    return TrimBlanks(out);
}

// Names are looked up as they are when they hold no capital letter, as nearly all do.
std::string_view AsciiLower(std::string_view text, std::string& buffer) {
    if (std::none_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) return text;
    buffer = text;
    std::string& lower = buffer;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A small whole number of plain digits in [low, high].
std::optional<int> NumberIn(std::string_view text, int low, int high) {
    if (!AllDigits(text) || text.size() > 4) return std::nullopt;
    const int value = std::stoi(std::string(text));
    if (value < low || value > high) return std::nullopt;
    return value;
}

enum class Column { Date, Venue, Race, Type, Combination, Payout };
constexpr std::size_t kColumnCount = 6;

// "列「日付」(date)": a column as the messages name it, by both its names.
constexpr std::array<const char*, kColumnCount> kColumnTitles{
    "列「日付」(date)", "列「場」(venue)",         "列「レース」(race)",
    "列「券種」(type)", "列「組番」(combination)", "列「払戻金」(payout)"};

std::optional<Column> ColumnOfName(const std::string& field) {
    static const std::map<std::string, Column, std::less<>> names{{"date", Column::Date},
                                                                  {"日付", Column::Date},
                                                                  {"venue", Column::Venue},
                                                                  {"場", Column::Venue},
                                                                  {"場名", Column::Venue},
                                                                  {"race", Column::Race},
                                                                  {"レース", Column::Race},
                                                                  {"r", Column::Race},
                                                                  {"type", Column::Type},
                                                                  {"券種", Column::Type},
                                                                  {"combination", Column::Combination},
                                                                  {"組番", Column::Combination},
                                                                  {"馬番", Column::Combination},
                                                                  {"payout", Column::Payout},
                                                                  {"払戻金", Column::Payout},
                                                                  {"払戻", Column::Payout}};
    std::string buffer;
    const auto it = names.find(AsciiLower(field, buffer));
    if (it == names.end()) return std::nullopt;
    return it->second;
}

// The kinds of row. The scored ones take BetType's values, which index a race's payouts.
enum class RowType {
    Win = static_cast<int>(BetType::Win),
    Place = static_cast<int>(BetType::Place),
    BracketQuinella = static_cast<int>(BetType::BracketQuinella),
    Quinella = static_cast<int>(BetType::Quinella),
    Unscored = static_cast<int>(kBetTypeCount),
    Scratched,
    Cancelled,
};

std::optional<RowType> TypeOfName(const std::string& field) {
    static const std::map<std::string, RowType, std::less<>> names{
        {"単勝", RowType::Win},
        {"win", RowType::Win},
        {"複勝", RowType::Place},
        {"place", RowType::Place},
        {"枠連", RowType::BracketQuinella},
        {"bracket_quinella", RowType::BracketQuinella},
        {"馬連", RowType::Quinella},
        {"quinella", RowType::Quinella},
        {"ワイド", RowType::Unscored},
        {"wide", RowType::Unscored},
        {"馬単", RowType::Unscored},
        {"exacta", RowType::Unscored},
        {"3連複", RowType::Unscored},
        {"三連複", RowType::Unscored},
        {"trio", RowType::Unscored},
        {"3連単", RowType::Unscored},
        {"三連単", RowType::Unscored},
        {"trifecta", RowType::Unscored},
        {"取消", RowType::Scratched},
        {"除外", RowType::Scratched},
        {"scratched", RowType::Scratched},
        {"中止", RowType::Cancelled},
        {"cancelled", RowType::Cancelled}};
    std::string buffer;
    const auto it = names.find(AsciiLower(field, buffer));
    if (it == names.end()) return std::nullopt;
    return it->second;
}

std::optional<std::string> VenueOfField(const std::string& field) {
    for (std::size_t v = 0; v < kCourseCount; ++v)
        if (field == kCourseNames[v]) return CourseVenues()[v];
    const std::string code = VenueOfCourseCode(field);
    if (!code.empty()) return code;
    return std::nullopt;
}

// "YYYYMMDD", "YYYY-M-D" or "YYYY/M/D" of a real day, as YYYYMMDD.
std::optional<std::string> DateOfField(const std::string& field) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (AllDigits(field) && field.size() == 8) {
        year = std::stoi(field.substr(0, 4));
        month = std::stoi(field.substr(4, 2));
        day = std::stoi(field.substr(6, 2));
    } else {
        const std::size_t first = field.find_first_of("-/");
        if (first == std::string::npos) return std::nullopt;
        const char sep = field[first];
        const std::size_t second = field.find(sep, first + 1);
        if (second == std::string::npos) return std::nullopt;
        const std::string y = field.substr(0, first);
        const std::string m = field.substr(first + 1, second - first - 1);
        const std::string d = field.substr(second + 1);
        if (y.size() != 4 || !AllDigits(y) || m.size() > 2 || !AllDigits(m) || d.size() > 2 || !AllDigits(d))
            return std::nullopt;
        year = std::stoi(y);
        month = std::stoi(m);
        day = std::stoi(d);
    }
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    if (year < 1 || !date.ok()) return std::nullopt;
    const auto twoDigits = [](int n) {
        return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
    };
    return twoDigits(year / 100) + twoDigits(year % 100) + twoDigits(month) + twoDigits(day);
}

// "1,230円", "１２３０": whole yen of at least 1. Thousands commas stand only after a lead of one to three
// digits that is no 0, each before three digits ("1,230", "12,345,678"); "1,2,3" or "0,170" is no amount.
std::optional<std::int64_t> PayoutOfField(std::string_view field) {
    static constexpr std::string_view kYen = "円";
    if (field.ends_with(kYen)) field.remove_suffix(kYen.size());
    const std::size_t head = std::min(field.find(','), field.size());
    const bool grouped = head < field.size();
    if (grouped && (head == 0 || head > 3 || field[0] == '0' || (field.size() - head) % 4 != 0))
        return std::nullopt;
    std::int64_t yen = 0;
    std::size_t digits = 0;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool commaPlace = i >= head && (i - head) % 4 == 0;
        if (commaPlace != (field[i] == ',')) return std::nullopt;
        if (commaPlace) continue;
        if (field[i] < '0' || field[i] > '9' || ++digits > kMaxPayoutDigits) return std::nullopt;
        yen = yen * 10 + (field[i] - '0');
    }
    if (yen < 1) return std::nullopt;
    return yen;
}

// The numbers of a combination: one number, or two around one '-'.
std::optional<std::pair<int, int>> PairOfField(const std::string& field, int high) {
    const std::size_t dash = field.find('-');
    if (dash == std::string::npos) return std::nullopt;
    const auto a = NumberIn(field.substr(0, dash), 1, high);
    const auto b = NumberIn(field.substr(dash + 1), 1, high);
    if (!a || !b) return std::nullopt;
    return std::pair{std::min(*a, *b), std::max(*a, *b)};
}

// "'x'": a field of the data quoted in a message.
std::string Quoted(const std::string& field) {
    return "'" + field + "'";
}

// A horse's number in a paid combination of the race: a win, a place or one of a quinella's pair. Brackets
// name no horse.
bool IsPaid(const RaceResult& race, int horse) {
    const auto names = [horse](const Payout& p) { return p.First == horse || p.Second == horse; };
    for (const BetType type : {BetType::Win, BetType::Place, BetType::Quinella}) {
        const std::vector<Payout>& rows = race.Payouts[static_cast<std::size_t>(type)];
        if (std::any_of(rows.begin(), rows.end(), names)) return true;
    }
    return false;
}

std::string ScratchedAndPaid(int horse) {
    return "馬番 " + std::to_string(horse) + " が取消と払戻の両方にあります";
}

class FileParser {
public:
    FileParser(const std::string& name, RaceResults& results) : name_(name), results_(results) {}

    void Row(const CsvRecord& row) {
        std::vector<std::string>& fields = fields_;
        fields.resize(row.Fields.size());
        for (std::size_t f = 0; f < fields.size(); ++f) fields[f] = Normalized(row.Fields[f]);
        if (std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return f.empty(); })) return;
        if (!headerSeen_) {
            Header(fields, row.Line);
        } else {
            Record(fields, row.Line);
        }
    }

    void Finish() const {
        if (!headerSeen_) throw ETalpoError(ErrorKind::Results, name_ + ": ヘッダー行がありません");
    }

private:
    [[noreturn]] void Fail(int line, const std::string& message) const { RefuseLine(name_, line, message); }

    void Header(const std::vector<std::string>& fields, int line) {
        headerSeen_ = true;
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const auto column = ColumnOfName(fields[f]);
            if (column && !where_[static_cast<std::size_t>(*column)])
                where_[static_cast<std::size_t>(*column)] = f;
        }
        for (std::size_t c = 0; c < kColumnCount; ++c)
            if (!where_[c]) Fail(line, std::string(kColumnTitles[c]) + " がありません");
    }

    const std::string& Field(const std::vector<std::string>& fields, Column column) const {
        static const std::string kMissing;
        const std::size_t at = *where_[static_cast<std::size_t>(column)];
        return at < fields.size() ? fields[at] : kMissing;
    }

    // The race of the row. A race's rows mostly follow one another: its fields are read once for them all.
    RaceResult& RaceOf(const std::vector<std::string>& fields, int line) {
        const std::string& dateText = Field(fields, Column::Date);
        const std::string& venueText = Field(fields, Column::Venue);
        const std::string& raceField = Field(fields, Column::Race);
        if (lastRace_ && dateText == lastDate_ && venueText == lastVenue_ && raceField == lastRaceNo_)
            return *lastRace_;
        const auto date = DateOfField(dateText);
        if (!date) Fail(line, Quoted(dateText) + " は日付ではありません");
        const auto venue = VenueOfField(venueText);
        if (!venue) Fail(line, "場名 " + Quoted(venueText) + " がわかりません");
        std::string_view raceText = raceField;
        if (!raceText.empty() && (raceText.back() == 'R' || raceText.back() == 'r'))
            raceText.remove_suffix(1);
        const auto raceNo = NumberIn(raceText, 1, 99);
        if (!raceNo) Fail(line, "レース番号 " + Quoted(raceField) + " は 1 から 99 の数ではありません");
        lastDate_ = dateText;
        lastVenue_ = venueText;
        lastRaceNo_ = raceField;
        lastRace_ = &results_.Races[RaceKey{*date, *venue, *raceNo}];
        return *lastRace_;
    }

    void Record(const std::vector<std::string>& fields, int line) {
        const std::string& typeText = Field(fields, Column::Type);
        const auto type = TypeOfName(typeText);
        if (!type) Fail(line, "券種 " + Quoted(typeText) + " がわかりません");
        RaceResult& race = RaceOf(fields, line);
        const std::string& combination = Field(fields, Column::Combination);
        const std::string& payout = Field(fields, Column::Payout);
        if (*type == RowType::Cancelled) {
            Cancellation(race, combination, payout, line);
        } else if (*type == RowType::Scratched) {
            Scratch(race, combination, payout, line);
        } else {
            Paid(race, *type, combination, payout, line);
        }
    }

    void Cancellation(RaceResult& race, const std::string& combination, const std::string& payout, int line) {
        if (!combination.empty() || !payout.empty()) Fail(line, "中止の行には組番も払戻金も書きません");
        if (race.Cancelled) Fail(line, "レースの中止が二度あります");
        if (race.HasPayouts) Fail(line, "中止のレースに払戻があります");
        race.Cancelled = true;
    }

    void Scratch(RaceResult& race, const std::string& combination, const std::string& payout, int line) {
        const auto horse = NumberIn(combination, 1, 18);
        if (!horse) Fail(line, "取消の馬番 " + Quoted(combination) + " は 1 から 18 の数ではありません");
        if (!payout.empty()) Fail(line, "取消の行には払戻金を書きません");
        if (!race.Scratched.insert(*horse).second)
            Fail(line, "馬番 " + std::to_string(*horse) + " の取消が二度あります");
        if (IsPaid(race, *horse)) Fail(line, ScratchedAndPaid(*horse));
    }

    void Paid(RaceResult& race, RowType type, const std::string& combination, const std::string& payout,
              int line) {
        const auto yen = PayoutOfField(payout);
        if (!yen) Fail(line, "払戻金 " + Quoted(payout) + " が円の金額ではありません");
        if (race.Cancelled) Fail(line, "中止のレースに払戻があります");
        race.HasPayouts = true;
        if (type == RowType::Unscored) return;

        Payout paid{.Yen = *yen};
        if (type == RowType::Win || type == RowType::Place) {
            const auto horse = NumberIn(combination, 1, 18);
            if (!horse) Fail(line, "組番 " + Quoted(combination) + " は 1 から 18 の馬番ではありません");
            paid.First = *horse;
        } else {
            const bool bracket = type == RowType::BracketQuinella;
            const auto pair = PairOfField(combination, bracket ? 8 : 18);
            if (!pair || (!bracket && pair->first == pair->second)) {
                Fail(line, "組番 " + Quoted(combination) + " は " +
                               (bracket ? "1 から 8 の枠番二つ" : "1 から 18 の異なる馬番二つ") +
                               "を '-' でつないだものではありません");
            }
            paid.First = pair->first;
            paid.Second = pair->second;
        }
        if (type != RowType::BracketQuinella) {
            for (const int horse : {paid.First, paid.Second})
                if (race.Scratched.contains(horse)) Fail(line, ScratchedAndPaid(horse));
        }
        std::vector<Payout>& rows = race.Payouts[static_cast<std::size_t>(type)];
        const bool repeated = std::any_of(rows.begin(), rows.end(), [&paid](const Payout& p) {
            return p.First == paid.First && p.Second == paid.Second;
        });
        if (repeated) Fail(line, "同じ払戻が二度あります");
        rows.push_back(paid);
    }

    const std::string& name_;
    RaceResults& results_;
    bool headerSeen_ = false;
    std::array<std::optional<std::size_t>, kColumnCount> where_{};
    std::vector<std::string> fields_;  // the row's, kept for their room
    std::string lastDate_;
    std::string lastVenue_;
    std::string lastRaceNo_;
    RaceResult* lastRace_ = nullptr;
};

}  // namespace

std::string VenueOfCourseCode(std::string_view code) {
    if (code.size() != 2 || !AllDigits(code)) return {};
    const int n = (code[0] - '0') * 10 + (code[1] - '0');
    if (n < 1 || n > 10) return {};
    return CourseVenues()[static_cast<std::size_t>(n - 1)];
}

void ParseResults(std::string_view bytes, const std::string& name, RaceResults& results) {
    FileParser file(name, results);
    ReadCsvRecords(bytes, name, [&file](const CsvRecord& row) { file.Row(row); });
    file.Finish();
}

RaceResults ReadResults(const std::vector<std::string>& paths) {
    RaceResults results;
    for (const std::string& path : paths) {
        std::string bytes;
        try {
            bytes = ReadWholeFile(path);
        } catch (const ETalpoError& e) {
            throw ETalpoError(e.Kind(), path + ": " + e.what());
        }
        ParseResults(bytes, path, results);
    }
    return results;
}

}  // namespace talpo
