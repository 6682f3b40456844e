// talpo-cli end to end, through RunCli with captured output: the commands, their files and their errors.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/TalpoCli.h"
#include "common/Cp932.h"
#include "data/RdxRecordBuilder.h"
#include "data/SampleDay.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun Cli(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

// A day of two races at 東京: a predicted race of 9 runners, and one with a runner whose horse is missing.
void WriteSmallDay(const test::TempDir& dir) {
    std::string den;
    std::string uma;
    for (int race = 0; race < 2; ++race) {
        DenRaceSpec card;
        card.RaceNo = race == 0 ? "01" : "02";
        card.Title = Sj("テスト記念");
        for (int i = 0; i < 9; ++i) {
            DenRunnerSpec r;
            r.HorseCode = "H" + std::to_string(race) + "0000" + std::to_string(i);
            r.HorseName = Sj("サンプルホース");
            r.Jockey = Sj(i == 0 ? "甲野" : "騎手名");
            r.Bracket = std::to_string(i < 8 ? i + 1 : 8);
            card.Runners.push_back(r);
            if (!(race == 1 && i == 4)) {
                const std::string figure = " " + std::to_string(50 + 5 * i);
                uma += BuildUmaRecord({r.HorseCode, {figure, figure, "   ", "   ", "   "}});
            }
        }
        den += BuildDenRecord(card);
    }
    test::WriteBytes(dir.File("rdx_den.dat"), den);
    test::WriteBytes(dir.File("rdx_uma.dat"), uma);
}

TEST(Cli, PredictWritesTheThreeFilesInOrderAndKeepsItsInputs) {
    test::TempDir in;
    test::TempDir out;
    WriteSmallDay(in);
    const CliRun run = Cli({"predict", in.Dir(), out.Dir()});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string report = out.File("東京980524.txt");
    EXPECT_EQ(run.out, "wrote " + report + "\nwrote " + out.File("W980524.txt") + "\nwrote " +
                           out.File("K980524.txt") + "\n");
    EXPECT_TRUE(std::filesystem::exists(in.File("rdx_den.dat")));
    EXPECT_TRUE(std::filesystem::exists(in.File("rdx_uma.dat")));
    // The missing horse of race 2, horse 5, is a warning and its race is still predicted.
    EXPECT_NE(run.err.find("talpo-cli: warning: 東京 2R 5番: 馬コード 'H100004'"), std::string::npos)
        << run.err;
    const std::string rdx = test::ReadBytes(out.File("K980524.txt"));
    EXPECT_EQ(std::count(rdx.begin(), rdx.end(), '\n'), 2);
}

TEST(Cli, WriteListChoosesFiles) {
    test::TempDir in;
    WriteSmallDay(in);
    for (const auto& [list, files] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"none", {}}, {"rdx", {"K980524.txt"}}, {"vota,syousai", {"東京980524.txt", "W980524.txt"}}}) {
        test::TempDir out;
        ASSERT_EQ(Cli({"predict", in.Dir(), out.Dir(), "--write", list}).code, 0);
        std::vector<std::string> written;
        for (const auto& e : std::filesystem::directory_iterator(out.Path()))
            written.push_back(e.path().filename());
        std::sort(written.begin(), written.end());
        std::vector<std::string> want = files;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(written, want) << list;
    }
    test::TempDir out;
    const CliRun bad = Cli({"predict", in.Dir(), out.Dir(), "--write", "rdx,pdf"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("not 'pdf'"), std::string::npos);
    EXPECT_NE(bad.err.find("Usage: talpo-cli predict"), std::string::npos);
}

TEST(Cli, JsonHoldsEveryRaceWithUtf8TextsAndIntegerIndices) {
    test::TempDir in;
    test::TempDir out;
    WriteSmallDay(in);
    const CliRun run = Cli({"predict", in.Dir(), out.Dir(), "--write", "none", "--json", "-"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    ASSERT_EQ(json["races"].size(), 2u);
    const auto& race = json["races"][0];
    EXPECT_EQ(race["venue"], "東京");
    EXPECT_EQ(race["venue_code"], "04");
    EXPECT_EQ(race["race_no"], "1");
    EXPECT_EQ(race["month"], " 5");
    EXPECT_EQ(race["date"], "19980524");
    EXPECT_EQ(race["name"], "テスト記念");
    EXPECT_EQ(race["runner_count"], "9");
    ASSERT_EQ(race["horses"].size(), 9u);
    EXPECT_EQ(race["horses"][0]["jockey"], "甲野    ");
    EXPECT_EQ(race["horses"][0]["index"], 55);  // (50 + 50) / 2 + 5
    EXPECT_EQ(race["horses"][8]["index"], 90);
    EXPECT_EQ(race["horses"][8]["mark"], "◎");
    EXPECT_EQ(race["win"], nlohmann::json::array({" 9", "", ""}));
    EXPECT_EQ(race["pairs"][0], " 8- 9");
    EXPECT_EQ(race["pairs"].size(), 8u);
}

TEST(Cli, ShowPrintsAlignedRaceCards) {
    test::TempDir in;
    WriteSmallDay(in);
    const CliRun run = Cli({"show", in.Dir(), "--race", "1"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("1998年 5月24日  3回東京2日目  1R  15:40発走  9頭立"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("テスト記念"), std::string::npos);
    // Horse 9 has the best index: ◎ beside the data's blank mark, the weight 55, the index 90.
    EXPECT_NE(run.out.find(" 8  9 ◎   サンプルホース"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" 単勝  複勝   馬連"), std::string::npos) << run.out;
    EXPECT_EQ(Cli({"show", in.Dir()}).out.find("=== 2/2"), Cli({"show", in.Dir()}).out.rfind("=== 2/2"));
    EXPECT_EQ(Cli({"show", in.Dir(), "--race", "3"}).code, 2);
}

TEST(Cli, SampleIsRepeatableAndPredictable) {
    test::TempDir a;
    test::TempDir b;
    ASSERT_EQ(Cli({"sample", a.Dir(), "--races", "6", "--seed", "3"}).code, 0);
    ASSERT_EQ(Cli({"sample", b.Dir(), "--races=6", "--seed=3"}).code, 0);
    EXPECT_EQ(test::ReadBytes(a.File("rdx_den.dat")), test::ReadBytes(b.File("rdx_den.dat")));
    EXPECT_EQ(test::ReadBytes(a.File("rdx_uma.dat")), test::ReadBytes(b.File("rdx_uma.dat")));
    test::TempDir out;
    const CliRun run = Cli({"predict", a.Dir(), out.Dir()});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
}

TEST(Cli, ErrorsAndUsage) {
    test::TempDir in;
    test::TempDir out;
    const CliRun missing = Cli({"predict", in.Dir(), out.Dir()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "talpo-cli: ﾌｧｲﾙが見つかりません\n");

    test::WriteBytes(in.File("rdx_den.dat"), std::string(1537 * 2 + 5, ' '));
    test::WriteBytes(in.File("rdx_uma.dat"), "");
    EXPECT_EQ(Cli({"show", in.Dir()}).err, "talpo-cli: ﾌｧｲﾙの末尾以降を読み込みました\n");

    test::WriteBytes(in.File("rdx_den.dat"), "");
    const CliRun empty = Cli({"predict", in.Dir(), out.Dir()});
    EXPECT_EQ(empty.code, 0);
    EXPECT_NE(empty.out.find("holds no race"), std::string::npos);

    const CliRun badArchive = Cli({"extract", in.File("nothing.lzh"), in.Dir()});
    EXPECT_EQ(badArchive.code, 1);
    EXPECT_EQ(badArchive.err.rfind("talpo-cli: ", 0), 0u);

    EXPECT_EQ(Cli({}).code, 2);
    EXPECT_EQ(Cli({"fly"}).code, 2);
    EXPECT_EQ(Cli({"predict", in.Dir()}).code, 2);
    EXPECT_EQ(Cli({"show", in.Dir(), "--colour"}).code, 2);
    EXPECT_EQ(Cli({"sample", in.Dir(), "--races", "many"}).code, 2);
    for (const char* command : {"extract", "predict", "show", "sample"}) {
        const CliRun help = Cli({command, "--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_EQ(help.out.rfind(std::string("Usage: talpo-cli ") + command, 0), 0u) << command;
    }
    EXPECT_EQ(Cli({"--help"}).code, 0);
}

TEST(Cli, BundledSampleIsTheGeneratorsDefaultDay) {
    // scripts/make-sample.sh packs what `talpo-cli sample` writes; a change to the generator must come with
    // a new archive, or the demo would show another day than the one the tool makes.
    test::TempDir in;
    const CliRun run = Cli({"extract", std::string(TALPO_SAMPLES_DIR) + "/sample-day.lzh", in.Dir()});
    ASSERT_EQ(run.code, 0) << run.err;
    const SampleDay day = MakeSampleDay({});
    EXPECT_TRUE(test::ReadBytes(in.File("rdx_den.dat")) == day.Den);
    EXPECT_TRUE(test::ReadBytes(in.File("rdx_uma.dat")) == day.Uma);
}

}  // namespace
}  // namespace talpo
