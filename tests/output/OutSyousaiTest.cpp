// The detailed report: whole files against expected bytes, file grouping by venue and date, failures.
#include <gtest/gtest.h>

#include <algorithm>

#include "OutputTestSupport.h"
#include "output/OutSyousai.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using test::Blanks;
using test::CrlfLines;
using test::MakeYoso;
using test::RaceFill;
using test::ReadBytes;
using test::TempDir;

const std::string kDoubleRule(77, '=');
const std::string kSingleRule(77, '-');

// The block of test::SmallRace(1) with an empty title and class: one runner, one place bet, no pairs.
std::vector<std::string> OneRunnerBlock(const std::string& venue, const std::string& raceNo) {
    return {kDoubleRule,
            venue + raceNo + "Ｒ " + Blanks(54) + "TALPO Ver1.0",
            Blanks(46) + "    芝1600m    1頭    発走10:00",
            kSingleRule,
            "[1] 1◎アイウエオカキクケコ セ10  騎手名前 調教師名  101",
            kSingleRule,
            "単勝：      1      複勝：     1" + Blanks(12),
            "連勝： " + Blanks(48),
            kDoubleRule};
}

RaceFill OneRunner(const std::string& venue, const std::string& raceNo, const std::string& date) {
    RaceFill race = test::SmallRace(1);
    race.VenueName = venue;
    race.RaceNo = raceNo;
    race.RaceDate = date;
    race.Day = date.substr(6);
    return race;
}

std::string FileOf(const std::vector<std::vector<std::string>>& blocks) {
    std::string bytes;
    for (const auto& block : blocks) {
        for (const std::string& line : block) bytes += CrlfLines({line});
    }
    return bytes;
}

TEST(OutSyousai, WritesThePublishedSampleBlock) {
    TempDir dir;
    TYoso yoso = MakeYoso({test::ReportSampleRace()});
    const std::vector<std::string> written = WriteSyousaiFile(yoso, 1, dir.Dir());

    ASSERT_EQ(written, std::vector<std::string>{dir.Dir() + "東京980524.txt"});
    const std::string expected = CrlfLines({
        "=============================================================================",
        "東京１１Ｒ テスト記念                                            TALPO Ver1.0",
        "                                      オープン    芝2400m   18頭    発走15:40",
        "-----------------------------------------------------------------------------",
        "[1] 1◎サンプルホース       牡4   騎手名   調教師     62",
        "[1] 2  アイウエオカキクケコ セ10  騎手名前 調教師名  102",
        "[2] 3  アイウエオカキクケコ セ10  騎手名前 調教師名  103",
        "[2] 4  アイウエオカキクケコ セ10  騎手名前 調教師名  104",
        "[3] 5  アイウエオカキクケコ セ10  騎手名前 調教師名  105",
        "[3] 6  アイウエオカキクケコ セ10  騎手名前 調教師名  106",
        "[4] 7  アイウエオカキクケコ セ10  騎手名前 調教師名  107",
        "[4] 8  アイウエオカキクケコ セ10  騎手名前 調教師名  108",
        "[5] 9  アイウエオカキクケコ セ10  騎手名前 調教師名  109",
        "[5]10  アイウエオカキクケコ セ10  騎手名前 調教師名  110",
        "[6]11  アイウエオカキクケコ セ10  騎手名前 調教師名  111",
        "[6]12  アイウエオカキクケコ セ10  騎手名前 調教師名  112",
        "[7]13  アイウエオカキクケコ セ10  騎手名前 調教師名  113",
        "[7]14  アイウエオカキクケコ セ10  騎手名前 調教師名  114",
        "[7]15  アイウエオカキクケコ セ10  騎手名前 調教師名  115",
        "[8]16  アイウエオカキクケコ セ10  騎手名前 調教師名  116",
        "[8]17  アイウエオカキクケコ セ10  騎手名前 調教師名  117",
        "[8]18  アイウエオカキクケコ セ10  騎手名前 調教師名  118",
        "-----------------------------------------------------------------------------",
        "単勝：      1      複勝：     1     7    12",
        "連勝：   1- 7  1-12  7-12  1- 3  3- 7  3-12  1- 5  5- 7",
        "=============================================================================",
    });
    EXPECT_EQ(ReadBytes(written[0]), expected);
}

TEST(OutSyousai, OneDigitRaceNoEmptyTitleNoPredictionSmallRacesAndLongTitle) {
    TempDir dir;
    RaceFill noPrediction = test::NoPredictionRace(2);
    RaceFill fourRunners = test::SmallRace(4);
    fourRunners.RaceNo = "2";
    fourRunners.RaceName = "四十バイトの題名四十バイトの題名四十バイ";
    fourRunners.RaceClass = "未勝利";
    RaceFill noRunners = test::SmallRace(0);
    noRunners.RaceNo = "10";
    noRunners.Surface = "ダ";
    TYoso yoso = MakeYoso({noPrediction, fourRunners, noRunners});

    WriteSyousaiFile(yoso, 3, dir.Dir());

    const std::string horse = "  アイウエオカキクケコ セ10  騎手名前 調教師名  ";
    const std::string expected = CrlfLines({
        kDoubleRule,
        "東京  １Ｒ " + Blanks(54) + "TALPO Ver1.0",
        Blanks(46) + "    芝1600m    2頭    発走10:00",
        kSingleRule,
        "[1] 1" + horse + "  0",
        "[2] 2" + horse + "  0",
        kSingleRule,
        "単勝：予想無し     複勝：予想無し",
        "連勝：予想無し",
        kDoubleRule,
        kDoubleRule,
        "東京  ２Ｒ 四十バイトの題名四十バイトの題名四十バイ" + Blanks(14) + "TALPO Ver1.0",
        Blanks(40) + "未勝利    芝1600m    4頭    発走10:00",
        kSingleRule,
        "[1] 1◎アイウエオカキクケコ セ10  騎手名前 調教師名  101",
        "[2] 2○アイウエオカキクケコ セ10  騎手名前 調教師名  102",
        "[3] 3▲アイウエオカキクケコ セ10  騎手名前 調教師名  103",
        "[4] 4" + horse + "104",
        kSingleRule,
        "単勝：      1      複勝：     1     2     3",
        "連勝：     12    13    23    14    24    34" + Blanks(12),
        kDoubleRule,
        kDoubleRule,
        "東京１０Ｒ " + Blanks(54) + "TALPO Ver1.0",
        Blanks(46) + "    ダ1600m    0頭    発走10:00",
        kSingleRule,
        kSingleRule,
        // No runners: the win slot is empty, not "--", so the bet lines are written with blanks.
        "単勝：" + Blanks(7) + "      複勝：" + Blanks(18),
        "連勝： " + Blanks(48),
        kDoubleRule,
    });
    EXPECT_EQ(ReadBytes(dir.File("東京980524.txt")), expected);
    EXPECT_EQ(test::FolderNames(dir.Path()), std::vector<std::string>{"東京980524.txt"});
}

TEST(OutSyousai, TwoVenuesOnOneDateGiveTwoFiles) {
    TempDir dir;
    TYoso yoso = MakeYoso({OneRunner("東京", "1", "19980524"), OneRunner("東京", "2", "19980524"),
                           OneRunner("京都", "1", "19980524"), OneRunner("京都", "2", "19980524")});

    const auto written = WriteSyousaiFile(yoso, 4, dir.Dir());

    EXPECT_EQ(written,
              (std::vector<std::string>{dir.Dir() + "東京980524.txt", dir.Dir() + "京都980524.txt"}));
    EXPECT_EQ(ReadBytes(dir.File("東京980524.txt")),
              FileOf({OneRunnerBlock("東京", "  １"), OneRunnerBlock("東京", "  ２")}));
    EXPECT_EQ(ReadBytes(dir.File("京都980524.txt")),
              FileOf({OneRunnerBlock("京都", "  １"), OneRunnerBlock("京都", "  ２")}));
}

TEST(OutSyousai, OneVenueOnTwoDatesGivesTwoFiles) {
    TempDir dir;
    TYoso yoso = MakeYoso({OneRunner("東京", "11", "19980523"), OneRunner("東京", "12", "19980524")});

    const auto written = WriteSyousaiFile(yoso, 2, dir.Dir());

    EXPECT_EQ(written,
              (std::vector<std::string>{dir.Dir() + "東京980523.txt", dir.Dir() + "東京980524.txt"}));
    EXPECT_EQ(ReadBytes(dir.File("東京980523.txt")), FileOf({OneRunnerBlock("東京", "１１")}));
    EXPECT_EQ(ReadBytes(dir.File("東京980524.txt")), FileOf({OneRunnerBlock("東京", "１２")}));
}

TEST(OutSyousai, RacesOfOneFileNameGoIntoItWhateverLiesBetween) {
    TempDir dir;
    // Post-time order across venues, and a date a century later with the same yymmdd.
    TYoso yoso = MakeYoso({OneRunner("東京", "1", "19980524"), OneRunner("京都", "1", "19980524"),
                           OneRunner("東京", "2", "19980524"), OneRunner("阪神", "1", "19980524"),
                           OneRunner("東京", "3", "20980524"), OneRunner("京都", "2", "19980524")});

    const auto written = WriteSyousaiFile(yoso, 6, dir.Dir());

    EXPECT_EQ(written, (std::vector<std::string>{dir.Dir() + "東京980524.txt", dir.Dir() + "京都980524.txt",
                                                 dir.Dir() + "阪神980524.txt"}));
    EXPECT_EQ(ReadBytes(dir.File("東京980524.txt")),
              FileOf({OneRunnerBlock("東京", "  １"), OneRunnerBlock("東京", "  ２"),
                      OneRunnerBlock("東京", "  ３")}));
    EXPECT_EQ(ReadBytes(dir.File("京都980524.txt")),
              FileOf({OneRunnerBlock("京都", "  １"), OneRunnerBlock("京都", "  ２")}));
    EXPECT_EQ(test::FolderNames(dir.Path()),
              (std::vector<std::string>{"京都980524.txt", "東京980524.txt", "阪神980524.txt"}));
}

TEST(OutSyousai, AVenueWithoutNameGivesFourBlanksInNameAndTitle) {
    TempDir dir;
    TYoso yoso = MakeYoso({OneRunner("    ", "3", "20010107")});

    const auto written = WriteSyousaiFile(yoso, 1, dir.Dir());

    ASSERT_EQ(written, std::vector<std::string>{dir.Dir() + "    010107.txt"});
    EXPECT_EQ(ReadBytes(written[0]), FileOf({OneRunnerBlock("    ", "  ３")}));
}

TEST(OutSyousai, RunnerCountAboveTheSlotsPrintsItsTextAndEighteenRunners) {
    TempDir dir;
    RaceFill race = test::ReportSampleRace();
    race.RunnerCount = "25";
    TYoso yoso = MakeYoso({race});

    WriteSyousaiFile(yoso, 1, dir.Dir());

    const std::string bytes = ReadBytes(dir.File("東京980524.txt"));
    EXPECT_NE(bytes.find(Sj("   25頭")), std::string::npos);
    EXPECT_NE(bytes.find("[8]18"), std::string::npos);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 4 + 18 + 4);
}

TEST(OutSyousai, ARunnerCountThatIsNoNumberStopsAfterTheEarlierGroups) {
    TempDir dir;
    RaceFill bad = OneRunner("京都", "1", "19980524");
    bad.RunnerCount = "x1";
    const TYoso yoso =
        MakeYoso({OneRunner("東京", "1", "19980524"), bad, OneRunner("阪神", "1", "19980524")});

    const ETalpoError error = test::ErrorOf([&] { WriteSyousaiFile(yoso, 3, dir.Dir()); });

    EXPECT_EQ(error.Kind(), ErrorKind::NotInteger);
    EXPECT_STREQ(error.what(), "'x1' は整数ではありません");
    EXPECT_EQ(test::FolderNames(dir.Path()), std::vector<std::string>{"東京980524.txt"});
    EXPECT_EQ(ReadBytes(dir.File("東京980524.txt")), FileOf({OneRunnerBlock("東京", "  １")}));
}

TEST(OutSyousai, AFileThatCannotBeCreatedStopsWithItsPathAndKeepsEarlierFiles) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "京都980524.txt");  // a folder in the way
    TYoso yoso = MakeYoso({OneRunner("東京", "1", "19980524"), OneRunner("京都", "1", "19980524"),
                           OneRunner("阪神", "1", "19980524")});

    const ETalpoError error = test::ErrorOf([&] { WriteSyousaiFile(yoso, 3, dir.Dir()); });

    EXPECT_EQ(error.Kind(), ErrorKind::FileCreate);
    EXPECT_EQ(std::string(error.what()), "ﾌｧｲﾙ " + dir.Dir() + "京都980524.txt を作成できません");
    EXPECT_EQ(test::FolderNames(dir.Path()), (std::vector<std::string>{"京都980524.txt", "東京980524.txt"}));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "京都980524.txt"));
    EXPECT_EQ(ReadBytes(dir.File("東京980524.txt")), FileOf({OneRunnerBlock("東京", "  １")}));
}

}  // namespace
}  // namespace talpo
