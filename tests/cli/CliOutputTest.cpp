// The texts talpo-cli makes from the store: control characters made visible, CSV fields and rows.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "cli/CliCsv.h"
#include "cli/CliJson.h"
#include "cli/CliText.h"
#include "common/StrConv.h"
#include "data/SampleDay.h"

namespace talpo {
namespace {

using cli::Visible;

TEST(CliText, ControlCharactersBecomeOneMarkEach) {
    EXPECT_EQ(Visible("plain 東京 text"), "plain 東京 text");
    EXPECT_EQ(Visible("a\tb"), "a\tb");
    EXPECT_EQ(Visible("\x1b[2Jx\x07\x7f\r\n"), "?[2Jx????");
    EXPECT_EQ(Visible(std::string("\0z", 2)), "?z");
    EXPECT_EQ(Visible("\xc2\x9b"
                      "2J\xc2\xa0"),
              "?2J\xc2\xa0");  // C1 CSI goes; the no-break space stays
    EXPECT_EQ(Visible("\xc2"), "\xc2");
    EXPECT_EQ(Visible("\x9b"
                      "2J\xa0"),
              "?2J\xa0");  // bytes of no character: an 8-bit CSI goes
    EXPECT_EQ(Visible(""), "");
    EXPECT_EQ(cli::VisibleLine("a\tb\xc2\x85"), "a?b?");  // standard error takes no tab either
}

TEST(CliCsv, FieldsAreQuotedAsRfc4180Asks) {
    EXPECT_EQ(CsvField("plain"), "plain");
    EXPECT_EQ(CsvField(" blanks kept "), " blanks kept ");
    EXPECT_EQ(CsvField(""), "");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(CsvField("\n"), "\"\n\"");
}

std::vector<PredictedDay> DayOf(const std::string& den, const std::string& uma) {
    class NoProgress : public IPredictProgress {};
    NoProgress progress;
    std::vector<PredictedDay> days;
    days.push_back({"in", "in/rdx_den.dat", LoadDayFromBytes(den, uma, progress)});
    return days;
}

// Splits CR LF rows and their unquoted fields (the rows of these tests hold no quoted field).
std::vector<std::vector<std::string>> Rows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    for (std::size_t end = csv.find("\r\n"); end != std::string::npos; end = csv.find("\r\n", start)) {
        std::vector<std::string> fields;
        const std::string row = csv.substr(start, end - start);
        std::size_t from = 0;
        for (std::size_t comma = row.find(',');; comma = row.find(',', from)) {
            fields.push_back(row.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
            if (comma == std::string::npos) break;
            from = comma + 1;
        }
        rows.push_back(fields);
        start = end + 2;
    }
    EXPECT_EQ(start, csv.size()) << "the last row ends in CR LF";
    return rows;
}

TEST(CliCsv, OneRowPerRunnerWithTheJsonsValues) {
    const SampleDay sample = MakeSampleDay({});
    const auto days = DayOf(sample.Den, sample.Uma);
    const auto rows = Rows(test::DaysCsv(days, false));
    const auto json = nlohmann::json::parse(test::StoreJson(days[0].Day));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(std::vector<std::string>(rows[0].begin(), rows[0].begin() + 7),
              (std::vector<std::string>{"date", "venue", "race_no", "no", "name", "mark", "index"}));
    std::size_t r = 1;
    bool unpredicted = false;
    for (const auto& race : json["races"]) {
        unpredicted = unpredicted || race["win"][0] == "--";
        for (const auto& horse : race["horses"]) {
            ASSERT_LT(r, rows.size());
            const auto text = [](const nlohmann::json& value) { return value.get<std::string>(); };
            const std::vector<std::string> want{text(race["date"]),
                                                text(race["venue"]),
                                                text(race["race_no"]),
                                                text(horse["no"]),
                                                text(horse["name"]),
                                                text(horse["mark"]),
                                                std::to_string(horse["index"].get<int>())};
            EXPECT_EQ(std::vector<std::string>(rows[r].begin(), rows[r].begin() + 7), want);
            EXPECT_EQ(rows[r].size(), rows[0].size());
            ++r;
        }
    }
    EXPECT_EQ(r, rows.size());
    EXPECT_TRUE(unpredicted) << "the sample day has a race without prediction, whose runners are rows too";
}

// The JSON is written as text race by race: it must be the document a JSON library dumps, escapes and all.
TEST(CliJson, IsByteForByteWhatTheLibraryDumpsOfIt) {
    const auto days = DayOf(test::SmallDayDen("a\"\\\t\x01\x7f\b\f\r\n\x1f\x82\xa0"), test::SmallDayUma());
    const std::string json = test::StoreJson(days[0].Day);
    EXPECT_EQ(json, nlohmann::ordered_json::parse(json).dump(2) + "\n");
    const std::string name = "\"name\": \"a\\\"\\\\\\t\\u0001\x7f\\b\\f\\r\\n\\u001fあ\"";
    EXPECT_NE(json.find(name), std::string::npos) << json;
}

TEST(CliCsv, ARaceWithoutPredictionKeepsItsRunnersAndIndices) {
    // Horse 5 of race 2 is missing: one of nine, within the tolerance; with four more missing there is none.
    std::string uma = test::SmallDayUma();
    uma.resize(uma.size() - 4 * TUmaRec::Size);  // the last four horses of race 2 leave the file
    const auto rows = Rows(test::DaysCsv(DayOf(test::SmallDayDen(), uma), false));
    ASSERT_EQ(rows.size(), 1u + 18u);
    for (std::size_t r = 10; r <= 18; ++r) {
        EXPECT_EQ(rows[r][2], "2");
        EXPECT_EQ(rows[r][5], "  ");   // no mark
        EXPECT_EQ(rows[r][12], "--");  // the win bet of a race without prediction
    }
    EXPECT_EQ(rows[10][6], "55");  // 50 and the bonus of its jockey
    EXPECT_EQ(rows[14][6], "0");
    EXPECT_EQ(rows[18][6], "0");
}

TEST(CliCsv, ControlCharactersOnlyWhenForATerminal) {
    const auto days = DayOf(test::SmallDayDen("a\x1b[2J,\"x\""), test::SmallDayUma());
    const std::string raw = test::DaysCsv(days, false);
    EXPECT_NE(raw.find(",\"a\x1b[2J,\"\"x\"\"\","), std::string::npos) << raw;
    const std::string terminal = test::DaysCsv(days, true);
    EXPECT_EQ(terminal.find('\x1b'), std::string::npos);
    EXPECT_NE(terminal.find(",\"a?[2J,\"\"x\"\"\","), std::string::npos) << terminal;
}

}  // namespace
}  // namespace talpo
