// Documents written as they are made: laid out byte for byte as when they were made whole, and a file that
// lands whole or not at all.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTestSupport.h"
#include "cli/CliCsv.h"
#include "cli/CliJson.h"
#include "cli/CliSink.h"
#include "data/SampleDay.h"

namespace talpo {
namespace {

class NoProgress : public IPredictProgress {};

PredictedDay Day(const std::string& input, int races, std::uint64_t seed) {
    NoProgress progress;
    const SampleDay sample = MakeSampleDay({races, 0, seed});
    return {input, input + "/rdx_den.dat", LoadDayFromBytes(sample.Den, sample.Uma, progress)};
}

// What nlohmann makes of the document dumped whole, as talpo-cli made it before it wrote race by race.
std::string WholeDump(const std::string& document) {
    return nlohmann::ordered_json::parse(document).dump(2, ' ', false,
                                                        nlohmann::ordered_json::error_handler_t::replace) +
           "\n";
}

TEST(CliSink, JsonWrittenRaceByRaceIsTheWholeDocumentsLayout) {
    std::vector<PredictedDay> days;
    days.push_back(Day("first", 3, 1));
    days.push_back(Day("none", 0, 2));
    days.push_back(Day("caf\xc3\xa9 \xff", 1, 3));  // a name that is no UTF-8 gets U+FFFD
    for (const PredictedDay& day : days) {
        const std::string one = test::StoreJson(day.Day);
        EXPECT_EQ(one, WholeDump(one));
        EXPECT_EQ(one.rfind("{\n  \"races\": [", 0), 0u);
    }
    const std::string several = test::DaysJson(days);
    EXPECT_EQ(several, WholeDump(several));
    EXPECT_NE(several.find("\"input\": \"caf\xc3\xa9 \xef\xbf\xbd\""), std::string::npos);
    EXPECT_NE(several.find("\"races\": []"), std::string::npos);
    EXPECT_EQ(test::DaysJson({}), "{\n  \"days\": []\n}\n");

    std::vector<std::string> pieces;
    cli::WriteDaysJson(days, [&](std::string_view piece) { pieces.emplace_back(piece); });
    EXPECT_GT(pieces.size(), 4u);  // a piece per race at least, never the document at once
    std::string joined;
    for (const std::string& piece : pieces) joined += piece;
    EXPECT_EQ(joined, several);
}

TEST(CliSink, StreamsAndFilesGetTheDocumentAsMade) {
    const std::vector<PredictedDay> days = [] {
        std::vector<PredictedDay> d;
        d.push_back(Day("in", 2, 5));
        return d;
    }();
    const cli::Producer csv = [&](const cli::TextWriter& write) { cli::WriteDaysCsv(days, false, write); };
    std::ostringstream out;
    cli::ProduceToStream(out, csv);
    EXPECT_EQ(out.str(), test::DaysCsv(days, false));

    test::TempDir dir;
    const std::string target = dir.File("x.csv");
    test::WriteBytes(target, "earlier");
    ProduceToUserFile(target, csv);
    EXPECT_EQ(test::ReadBytes(target), out.str());

    // A document that fails part-way leaves the earlier file and nothing beside it.
    test::WriteBytes(target, "earlier");
    EXPECT_THROW(ProduceToUserFile(target,
                                   [](const cli::TextWriter& write) {
                                       write("part");
                                       throw std::runtime_error("stopped");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(test::ReadBytes(target), "earlier");
    EXPECT_EQ(test::FolderFiles(dir.Path()).size(), 1u);
    EXPECT_EQ(test::ErrorOf([&] { ProduceToUserFile(dir.File("no/x.csv"), csv); }).Kind(),
              ErrorKind::FileCreate);
}

}  // namespace
}  // namespace talpo
