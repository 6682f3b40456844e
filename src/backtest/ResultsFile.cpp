// Reading the results CSV: libcsv splits the fields, this file gives them their meaning. Fields are
// compared in UTF-8. A CP932 file is split as it is, since no second byte of a CP932 character looks like a
// comma, a quote or a line end, and its fields are converted one by one.
#include "backtest/ResultsFile.h"

#include <csv.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "common/Cp932.h"
#include "common/FileIO.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

// Far above any payout ever made, and far from overflowing once multiplied by a stake and summed.
constexpr std::size_t kMaxPayoutDigits = 10;

// A row's first Count fields; the strings past them keep their room for the rows to come.
struct CsvRow {
    int Line = 0;
    std::size_t Count = 0;
    std::vector<std::string> Fields;
};

// What libcsv hands over while one piece of the file is parsed: a C callback cannot throw, so the rows
// wait here until the parse call returns. The rows are reused from piece to piece: a season's results
// would otherwise cost several allocations a row.
struct Collector {
    int Line = 0;
    std::vector<CsvRow> Rows;  // the first RowCount whole, the next one being filled
    std::size_t RowCount = 0;
    int EndLine = 0;  // where the last whole row ended

    CsvRow& Current() {
        if (Rows.size() == RowCount) Rows.emplace_back();
        return Rows[RowCount];
    }
};

void OnField(void* data, std::size_t size, void* collector) {
    auto& c = *static_cast<Collector*>(collector);
    const std::string_view field(data ? static_cast<const char*>(data) : "", data ? size : 0);
    CsvRow& row = c.Current();
    // A quoted field may hold line breaks: the row starts on the line where its first field did.
    if (row.Count == 0) row.Line = c.Line - static_cast<int>(std::count(field.begin(), field.end(), '\n'));
    if (row.Fields.size() == row.Count) row.Fields.emplace_back();
    row.Fields[row.Count++].assign(field);
}

void OnRowEnd(int /*terminator*/, void* collector) {
    auto& c = *static_cast<Collector*>(collector);
    c.Current();
    ++c.RowCount;
    c.EndLine = c.Line;
}

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
constexpr std::array<const char*, kColumnCount> kColumnNames{"date", "venue",       "race",
                                                             "type", "combination", "payout"};

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

// The kinds of row; the first four are the scored bet types, in BetType's order.
enum class RowType { Win, Place, BracketQuinella, Quinella, Unscored, Scratched, Cancelled };

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

// In the order of the national course codes 01 to 10, as written in the file (UTF-8)...
constexpr std::array<const char*, 10> kVenueNames{"札幌", "函館", "福島", "新潟", "東京",
                                                  "中山", "中京", "京都", "阪神", "小倉"};

// ...and as the store holds them: converted once, not per row.
const std::array<std::string, 10>& StoreVenueNames() {
    static const std::array<std::string, 10> names = [] {
        std::array<std::string, 10> cp932;
        for (std::size_t v = 0; v < cp932.size(); ++v) cp932[v] = Sj(kVenueNames[v]);
        return cp932;
    }();
    return names;
}

std::optional<std::string> VenueOfField(const std::string& field) {
    for (std::size_t v = 0; v < kVenueNames.size(); ++v)
        if (field == kVenueNames[v]) return StoreVenueNames()[v];
    const std::string code = VenueOfCourseCode(field);
    if (!code.empty()) return code;
    return std::nullopt;
}

bool IsRealDate(int year, int month, int day) {
    static constexpr std::array<int, 12> kDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month == 2 && !leap) return day <= 28;
    return day <= kDays[static_cast<std::size_t>(month - 1)];
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
    if (year < 1 || !IsRealDate(year, month, day)) return std::nullopt;
    const auto twoDigits = [](int n) {
        return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
    };
    return twoDigits(year / 100) + twoDigits(year % 100) + twoDigits(month) + twoDigits(day);
}

// "1,230円", "１２３０": whole yen of at least 1, thousands commas only between groups of three digits.
std::optional<std::int64_t> PayoutOfField(std::string field) {
    static const std::string kYen = "円";
    if (field.size() >= kYen.size() && field.compare(field.size() - kYen.size(), kYen.size(), kYen) == 0)
        field.resize(field.size() - kYen.size());
    std::string digits;
    if (field.find(',') != std::string::npos) {
        const std::size_t head = field.find(',');
        if (head == 0 || head > 3) return std::nullopt;
        for (std::size_t at = head; at < field.size(); at += 4) {
            if (field[at] != ',' || at + 4 > field.size()) return std::nullopt;
        }
        for (const char c : field)
            if (c != ',') digits += c;
        if ((field.size() - head) % 4 != 0) return std::nullopt;
    } else {
        digits = field;
    }
    if (!AllDigits(digits) || digits.size() > kMaxPayoutDigits) return std::nullopt;
    const std::int64_t yen = std::stoll(digits);
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

class FileParser {
public:
    FileParser(const std::string& name, RaceResults& results, bool utf8)
        : name_(name), results_(results), utf8_(utf8) {}

    void Row(const CsvRow& row) {
        std::vector<std::string>& fields = fields_;
        fields.resize(row.Count);
        for (std::size_t f = 0; f < fields.size(); ++f)
            fields[f] = Normalized(utf8_ ? row.Fields[f] : Cp932ToUtf8(row.Fields[f]));
        if (std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return f.empty(); })) return;
        if (!headerSeen_) {
            Header(fields, row.Line);
        } else {
            Record(fields, row.Line);
        }
    }

    void Finish() const {
        if (!headerSeen_) throw ETalpoError(ErrorKind::Results, name_ + ": no header line");
    }

    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw ETalpoError(ErrorKind::Results, name_ + ":" + std::to_string(line) + ": " + message);
    }

private:
    void Header(const std::vector<std::string>& fields, int line) {
        headerSeen_ = true;
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const auto column = ColumnOfName(fields[f]);
            if (column && !where_[static_cast<std::size_t>(*column)])
                where_[static_cast<std::size_t>(*column)] = f;
        }
        for (std::size_t c = 0; c < kColumnCount; ++c)
            if (!where_[c]) Fail(line, std::string("missing column '") + kColumnNames[c] + "'");
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
        if (!date) Fail(line, "'" + dateText + "' is not a date");
        const auto venue = VenueOfField(venueText);
        if (!venue) Fail(line, "unknown venue '" + venueText + "'");
        std::string_view raceText = raceField;
        if (!raceText.empty() && (raceText.back() == 'R' || raceText.back() == 'r'))
            raceText.remove_suffix(1);
        const auto raceNo = NumberIn(raceText, 1, 99);
        if (!raceNo) Fail(line, "race number '" + raceField + "' is not from 1 to 99");
        lastDate_ = dateText;
        lastVenue_ = venueText;
        lastRaceNo_ = raceField;
        lastRace_ = &results_.Races[RaceKey{*date, *venue, *raceNo}];
        return *lastRace_;
    }

    void Record(const std::vector<std::string>& fields, int line) {
        const std::string& typeText = Field(fields, Column::Type);
        const auto type = TypeOfName(typeText);
        if (!type) Fail(line, "unknown type '" + typeText + "'");
        RaceResult& race = RaceOf(fields, line);
        const std::string& combination = Field(fields, Column::Combination);
        const std::string& payout = Field(fields, Column::Payout);

        if (*type == RowType::Cancelled) {
            if (!combination.empty() || !payout.empty())
                Fail(line, "a cancellation takes no combination and no payout");
            if (race.Cancelled) Fail(line, "the race is cancelled twice");
            if (race.HasPayouts) Fail(line, "a cancelled race has payouts");
            race.Cancelled = true;
            return;
        }
        if (*type == RowType::Scratched) {
            const auto horse = NumberIn(combination, 1, 18);
            if (!horse) Fail(line, "a scratched horse's number '" + combination + "' is not from 1 to 18");
            if (!payout.empty()) Fail(line, "a scratch takes no payout");
            if (!race.Scratched.insert(*horse).second)
                Fail(line, "horse " + std::to_string(*horse) + " is scratched twice");
            return;
        }
        const auto yen = PayoutOfField(payout);
        if (!yen) Fail(line, "payout '" + payout + "' is not a number of yen");
        if (race.Cancelled) Fail(line, "a cancelled race has payouts");
        race.HasPayouts = true;
        if (*type == RowType::Unscored) return;

        Payout paid;
        paid.Yen = *yen;
        if (*type == RowType::Win || *type == RowType::Place) {
            const auto horse = NumberIn(combination, 1, 18);
            if (!horse) Fail(line, "'" + combination + "' is not a horse number from 1 to 18");
            paid.First = *horse;
        } else {
            const bool bracket = *type == RowType::BracketQuinella;
            const auto pair = PairOfField(combination, bracket ? 8 : 18);
            if (!pair || (!bracket && pair->first == pair->second)) {
                Fail(line, "'" + combination + "' is not " +
                               (bracket ? "two bracket numbers from 1 to 8"
                                        : "two different horse numbers from 1 to 18") +
                               " joined by '-'");
            }
            paid.First = pair->first;
            paid.Second = pair->second;
        }
        std::vector<Payout>& rows = race.Payouts[static_cast<std::size_t>(*type)];
        const bool repeated = std::any_of(rows.begin(), rows.end(), [&paid](const Payout& p) {
            return p.First == paid.First && p.Second == paid.Second;
        });
        if (repeated) Fail(line, "the same payout is given twice");
        rows.push_back(paid);
    }

    const std::string& name_;
    RaceResults& results_;
    bool utf8_;
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
    return StoreVenueNames()[static_cast<std::size_t>(n - 1)];
}

void ParseResults(std::string_view bytes, const std::string& name, RaceResults& results) {
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    const bool utf8 = IsUtf8(bytes);
    if (utf8 && bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());

    csv_parser parser{};
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) throw std::bad_alloc();
    struct Freed {
        csv_parser* p;
        ~Freed() { csv_free(p); }
    } freed{&parser};

    FileParser file(name, results, utf8);
    Collector collector;
    const auto take = [&] {
        for (std::size_t r = 0; r < collector.RowCount; ++r) {
            file.Row(collector.Rows[r]);
            collector.Rows[r].Count = 0;
        }
        collector.RowCount = 0;
    };
    // One line at a time, so that every row knows the line it stands on.
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size() - 1) + 1;
        ++collector.Line;
        const std::string_view line = bytes.substr(start, end - start);
        if (csv_parse(&parser, line.data(), line.size(), OnField, OnRowEnd, &collector) != line.size()) {
            take();
            file.Fail(collector.Line, "a double quote out of place");
        }
        take();
        start = end;
    }
    if (csv_fini(&parser, OnField, OnRowEnd, &collector) != 0) {
        // An open quote in the row's first field leaves no trace but that the row has not ended.
        const CsvRow& open = collector.Current();
        file.Fail(open.Count == 0 ? collector.EndLine + 1 : open.Line, "a quoted field is not closed");
    }
    take();
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
