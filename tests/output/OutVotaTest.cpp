// The VOTA bet file: the published sample, when a header is written, small races, the header's digits.
#include <gtest/gtest.h>

#include "OutputTestSupport.h"
#include "common/Cp932.h"
#include "output/OutVota.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using test::Blanks;
using test::CrlfLines;
using test::MakeYoso;
using test::RaceFill;
using test::ReadBytes;
using test::TempDir;

const std::string kRule(75, '-');

RaceFill At(RaceFill race, const std::string& venue, const std::string& raceNo) {
    race.VenueName = venue;
    race.RaceNo = raceNo;
    return race;
}

TEST(OutVota, WritesThePublishedSample) {
    TempDir dir;
    TYoso yoso = MakeYoso({test::SixteenRunnerRace11(), test::EightRunnerRace1()});

    const auto written = WriteVotaFile(yoso, 2, dir.Dir());

    ASSERT_EQ(written, std::vector<std::string>{dir.Dir() + "W980524.txt"});
    EXPECT_EQ(ReadBytes(written[0]),
              CrlfLines({
                  "---------------------------------------------------------------------------",
                  "東京  ９８ 年 ３ 回 ２ 日目   ５月２４日 [0257]  TALPO Ver1.0",
                  "---------------------------------------------------------------------------",
                  "11R   7  7-12  3- 7  3-12  1- 7  1-12  1- 3 ",
                  " 1R   4    24    46    26    14    12    16 ",
              }));
}

TEST(OutVota, TwoVenuesAlternatingOnOneDateAlternateTheHeaders) {
    TempDir dir;
    TYoso yoso =
        MakeYoso({At(test::EightRunnerRace1(), "東京", "1"), At(test::EightRunnerRace1(), "京都", "1"),
                  At(test::EightRunnerRace1(), "東京", "2"), At(test::EightRunnerRace1(), "京都", "2")});

    WriteVotaFile(yoso, 4, dir.Dir());

    const std::string tokyo = "東京  ９８ 年 ３ 回 ２ 日目   ５月２４日 [0257]  TALPO Ver1.0";
    const std::string kyoto = "京都  ９８ 年 ３ 回 ２ 日目   ５月２４日 [0257]  TALPO Ver1.0";
    const std::string pairs = "   24    46    26    14    12    16 ";
    EXPECT_EQ(ReadBytes(dir.File("W980524.txt")),
              CrlfLines({kRule, tokyo, kRule, " 1R   4 " + pairs, kRule, kyoto, kRule, " 1R   4 " + pairs,  //
                         kRule, tokyo, kRule, " 2R   4 " + pairs, kRule, kyoto, kRule, " 2R   4 " + pairs}));
}

TEST(OutVota, OnlyAChangeOfVenueOrDayStartsAHeader) {
    TempDir dir;
    RaceFill may24 = test::SixteenRunnerRace11();
    RaceFill june24 = test::EightRunnerRace1();
    june24.Month = " 6";
    june24.Year = "1999";
    RaceFill june3 = test::EightRunnerRace1();
    june3.RaceNo = "2";
    june3.Month = " 6";
    june3.Day = " 3";
    june3.MeetingNo = "4";
    june3.MeetingDay = "1";
    RaceFill kyotoUnpredicted = At(test::NoPredictionRace(12), "京都", "3");
    kyotoUnpredicted.Day = " 3";
    RaceFill kyotoNoRunners = At(test::SmallRace(0), "京都", "4");
    kyotoNoRunners.Day = " 3";
    RaceFill kyotoThree = At(test::SmallRace(3), "京都", "5");
    kyotoThree.Day = " 3";
    TYoso yoso = MakeYoso({may24, june24, june3, kyotoUnpredicted, kyotoNoRunners, kyotoThree});

    WriteVotaFile(yoso, 6, dir.Dir());

    EXPECT_EQ(ReadBytes(dir.File("W980524.txt")),
              CrlfLines({kRule, "東京  ９８ 年 ３ 回 ２ 日目   ５月２４日 [0257]  TALPO Ver1.0", kRule,
                         "11R   7  7-12  3- 7  3-12  1- 7  1-12  1- 3 ",  //
                         " 1R   4    24    46    26    14    12    16 ",  //
                         kRule, "東京  ９８ 年 ４ 回 １ 日目   ６月  ３日 [0257]  TALPO Ver1.0", kRule,
                         " 2R   4    24    46    26    14    12    16 ",  //
                         kRule, "京都  ９８ 年 ３ 回 ２ 日目   ５月  ３日 [0257]  TALPO Ver1.0", kRule,
                         // Three runners: the pairs of ranks 4 and 5 are empty texts, each with its blank.
                         " 5R   1    12    13    23 " + Blanks(3)}));
}

TEST(OutVota, NoRacePredictedStillGivesTheHeaders) {
    TempDir dir;
    TYoso yoso =
        MakeYoso({At(test::NoPredictionRace(10), "東京", "1"), At(test::NoPredictionRace(10), "京都", "1")});

    WriteVotaFile(yoso, 2, dir.Dir());

    EXPECT_EQ(ReadBytes(dir.File("W980524.txt")),
              CrlfLines({kRule, "東京  ９８ 年 ３ 回 ２ 日目   ５月２４日 [0257]  TALPO Ver1.0", kRule, kRule,
                         "京都  ９８ 年 ３ 回 ２ 日目   ５月２４日 [0257]  TALPO Ver1.0", kRule}));
}

TEST(OutVota, HeaderDigitsThatAreNoDigitsBecomeEmpty) {
    std::vector<std::string> lines;
    RaceFill race = At(test::SixteenRunnerRace11(), "    ", "11");
    race.Year = "20X1";
    race.MeetingNo = "A";
    race.MeetingDay = "";
    race.Month = "1";
    race.Day = "";
    TYoso yoso = MakeYoso({race});

    WriteVotaHeader(yoso.Race(0), lines);

    const std::vector<std::string> expected = {kRule, Sj("      １ 年  回  日目 １月日 [0257]  TALPO Ver1.0"),
                                               kRule};
    EXPECT_EQ(lines, expected);
}

TEST(OutVota, RaceLineIsAppendedOnlyForAPrediction) {
    std::vector<std::string> lines;
    TYoso yoso = MakeYoso({test::EightRunnerRace1(), test::NoPredictionRace(9), test::SmallRace(0)});
    for (int r = 0; r < 3; ++r) WriteVotaRace(yoso.Race(r), lines);

    EXPECT_EQ(lines, std::vector<std::string>{" 1R   4    24    46    26    14    12    16 "});
}

TEST(OutVota, ARaceNoOfFullWidthDigitsIsNotPadded) {
    std::vector<std::string> lines;
    RaceFill race = test::EightRunnerRace1();
    race.RaceNo = "１";
    TYoso yoso = MakeYoso({race});

    WriteVotaRace(yoso.Race(0), lines);

    EXPECT_EQ(lines, std::vector<std::string>{Sj("１R   4    24    46    26    14    12    16 ")});
}

}  // namespace
}  // namespace talpo
