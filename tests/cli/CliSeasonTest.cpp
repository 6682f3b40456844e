// Many days in one predict run, as the real program runs them: each day's files as if predicted alone, a
// failing day reported while the others go on, and days that would share a file refused before any write.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "data/SampleDay.h"

namespace talpo {
namespace {

using test::Cli;
using test::CliBinary;
using test::CliRun;
using test::TempDir;

// A generated day of two races on 2024-01-01 plus `day` days, packed as an archive.
std::string SeasonDay(int day) {
    SampleDayOptions options;
    options.Races = 2;
    options.Seed = static_cast<std::uint64_t>(day + 1);
    options.Year = 2024;
    options.Month = 1 + day / 28;
    options.Day = 1 + day % 28;
    const SampleDay sample = MakeSampleDay(options);
    return test::StoredLzhArchive({{"rdx_den.dat", sample.Den}, {"rdx_uma.dat", sample.Uma}});
}

TEST(CliSeason, AHundredArchivesInOneRunAsEachAloneWithABadOneReported) {
    constexpr int kDays = 100;
    TempDir root;
    std::vector<std::string> args{"predict"};
    for (int d = 0; d < kDays; ++d) {
        const std::string archive = root.File("day" + std::to_string(d) + ".lzh");
        test::WriteBytes(archive, SeasonDay(d));
        args.push_back(archive);
        if (d == 50) {
            test::WriteBytes(root.File("bad.lzh"), SeasonDay(d).substr(0, 300));
            args.push_back(root.File("bad.lzh"));
        }
    }
    args.push_back(root.File("season"));
    const CliRun run = CliBinary(args);

    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("talpo-cli: " + root.File("bad.lzh") + ": "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("\n100 days, 200 races, "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(", 300 files written, 1 day failed\n"), std::string::npos) << run.err;

    std::vector<std::pair<std::string, std::string>> alone;
    for (int d = 0; d < kDays; ++d) {
        const std::string out = root.File("alone" + std::to_string(d));
        ASSERT_EQ(Cli({"predict", "-q", args[static_cast<std::size_t>(d + (d > 50 ? 2 : 1))], out}).code, 0);
        for (auto& file : test::FolderFiles(out)) alone.push_back(std::move(file));
    }
    std::sort(alone.begin(), alone.end());
    const auto season = test::FolderFiles(root.Path() / "season");
    EXPECT_EQ(season.size(), 300u);
    EXPECT_TRUE(season == alone);  // byte for byte; too large to print
}

TEST(CliSeason, JsonAndCsvHoldEveryDayInOrder) {
    TempDir root;
    std::vector<std::string> inputs;
    for (int d = 0; d < 3; ++d) {
        inputs.push_back(root.File("day" + std::to_string(d) + ".lzh"));
        test::WriteBytes(inputs.back(), SeasonDay(2 - d));
    }
    std::vector<std::string> args{"predict"};
    args.insert(args.end(), inputs.begin(), inputs.end());
    args.insert(args.end(), {root.File("out"), "--json", "-", "--csv", root.File("days.csv")});
    const CliRun run = Cli(args);
    ASSERT_EQ(run.code, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    ASSERT_EQ(json.size(), 1u);
    ASSERT_EQ(json["days"].size(), 3u);
    std::string csvRows;
    for (std::size_t d = 0; d < 3; ++d) {
        EXPECT_EQ(json["days"][d]["input"], inputs[d]);
        const CliRun alone =
            Cli({"predict", inputs[d], root.File("alone"), "--json", "-", "--csv", root.File("a.csv")});
        EXPECT_EQ(json["days"][d]["races"], nlohmann::json::parse(alone.out)["races"]);
        const std::string csv = test::ReadBytes(root.File("a.csv"));
        csvRows += csv.substr(csv.find("\r\n") + 2);
    }
    const std::string csv = test::ReadBytes(root.File("days.csv"));
    EXPECT_EQ(csv.substr(csv.find("\r\n") + 2), csvRows);
    EXPECT_NE(run.err.find("wrote " + root.File("days.csv") + "\n"), std::string::npos);
}

TEST(CliSeason, DaysSharingAFileAreRefusedBeforeAnyWrite) {
    TempDir root;
    test::WriteBytes(root.File("a.lzh"), SeasonDay(0));
    test::WriteBytes(root.File("b.lzh"), SeasonDay(1));
    test::WriteBytes(root.File("c.lzh"), SeasonDay(0));
    const CliRun run = CliBinary({"predict", root.File("a.lzh"), root.File("b.lzh"), root.File("c.lzh"),
                                  root.File("out"), "--json", root.File("days.json")});
    EXPECT_EQ(run.code, 1);
    const std::string out = root.File("out") + "/";
    EXPECT_EQ(run.err, "talpo-cli: " + root.File("a.lzh") + " and " + root.File("c.lzh") +
                           " would both write " + out +
                           "東京240101.txt (and 2 more files)\ntalpo-cli: nothing written\n");
    EXPECT_FALSE(std::filesystem::exists(root.File("out")));
    EXPECT_FALSE(std::filesystem::exists(root.File("days.json")));
}

TEST(CliSeason, AFailedWriteStopsItsDayOnlyAndNamesTheFile) {
    TempDir root;
    test::WriteBytes(root.File("a.lzh"), SeasonDay(0));
    test::WriteBytes(root.File("b.lzh"), SeasonDay(1));
    const std::string out = root.File("out") + "/";
    std::filesystem::create_directories(out + "W240101.txt");  // a folder in the way of a's second file
    const CliRun run = Cli({"predict", root.File("a.lzh"), root.File("b.lzh"), root.File("out")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err,
              "wrote " + out + "東京240101.txt\ntalpo-cli: " + root.File("a.lzh") + ": ﾌｧｲﾙ " + out +
                  "W240101.txt を作成できません\nwrote " + out + "東京240102.txt\nwrote " + out +
                  "W240102.txt\nwrote " + out +
                  "K240102.txt\n"
                  "2 days, 4 races, 2 races without prediction, 0 missing horses, 4 files written, 1 day "
                  "failed\n");
}

}  // namespace
}  // namespace talpo
