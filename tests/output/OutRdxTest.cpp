// The RDX bet file: the published records, the skipped races, small races, failures.
#include <gtest/gtest.h>

#include <algorithm>

#include "OutputTestSupport.h"
#include "output/OutRdx.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using test::MakeYoso;
using test::RaceFill;
using test::ReadBytes;
using test::TempDir;

const std::string kRace11 =
    "A009,19980524,05,3,2,11, 7,,,,,, 7,,12,, "
    "3,,,,,,,,,,,,,,,,,,,,,,0712,,0307,,0312,,0107,,0112,,0103,,0715,,1215,"
    ",,,,,,,,,,,,,,,,,,,,,,,,";
const std::string kRace1 =
    "A009,19980524,05,3,2,1, 4,,,,,, 4,, 2,, "
    "6,,,,,,,,,,,,,,,,,,,,,,0204,,0406,,0206,,0104,,0102,,0106,,0408,,0208,"
    ",,,,,,,,,,,,,,,,,,,,,,,,";

TEST(OutRdx, WritesThePublishedRecords) {
    TempDir dir;
    TYoso yoso = MakeYoso({test::SixteenRunnerRace11(), test::EightRunnerRace1()});

    const auto written = WriteRdxFile(yoso, 2, dir.Dir());

    ASSERT_EQ(written, std::vector<std::string>{dir.Dir() + "K980524.txt"});
    EXPECT_EQ(ReadBytes(written[0]), kRace11 + "\r\n" + kRace1 + "\r\n");
    EXPECT_EQ(std::count(kRace11.begin(), kRace11.end(), ','), 77);
}

TEST(OutRdx, RacesWithoutPredictionOrRunnersLeaveNoGap) {
    TempDir dir;
    TYoso yoso = MakeYoso({test::NoPredictionRace(10), test::SixteenRunnerRace11(), test::SmallRace(0),
                           test::NoPredictionRace(3), test::EightRunnerRace1(), test::NoPredictionRace(12)});

    WriteRdxFile(yoso, 6, dir.Dir());

    EXPECT_EQ(ReadBytes(dir.File("K980524.txt")), kRace11 + "\r\n" + kRace1 + "\r\n");
}

TEST(OutRdx, RacesWhoseDataHoldsACommaOrALineBreakAreLeftOutAndNamed) {
    TempDir dir;
    RaceFill comma = test::SixteenRunnerRace11();
    comma.RaceNo = "5,";
    RaceFill lineFeed = test::EightRunnerRace1();
    lineFeed.MeetingDay = "\n";
    RaceFill returnInABet = test::SixteenRunnerRace11();
    returnInABet.RaceNo = "12";
    returnInABet.PairBets.back() = " 7\r15";
    RaceFill unpredicted = test::NoPredictionRace(3);
    unpredicted.RaceDate = "1998,524";
    const TYoso yoso = MakeYoso(
        {comma, test::SixteenRunnerRace11(), lineFeed, returnInABet, unpredicted, test::EightRunnerRace1()});

    WriteRdxFile(yoso, 6, dir.Dir());

    EXPECT_EQ(ReadBytes(dir.File("K980524.txt")), kRace11 + "\r\n" + kRace1 + "\r\n");
    EXPECT_EQ(
        RdxSkippedRaceWarnings(yoso, 6),
        (std::vector<std::string>{"K980524.txt: 東京 5,R: 項目にカンマか改行があるため書き出しません",
                                  "K980524.txt: 東京 1R: 項目にカンマか改行があるため書き出しません",
                                  "K980524.txt: 東京 12R: 項目にカンマか改行があるため書き出しません"}));
}

TEST(OutRdx, NoRacePredictedGivesAnEmptyFile) {
    TempDir dir;
    TYoso yoso = MakeYoso({test::NoPredictionRace(10), test::SmallRace(0)});

    const auto written = WriteRdxFile(yoso, 2, dir.Dir());

    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(ReadBytes(written[0]), "");
}

TEST(OutRdx, EmptySlotsOfSmallRacesGiveEmptyFields) {
    TempDir dir;
    RaceFill two = test::SmallRace(2);
    two.RaceNo = "5";
    RaceFill four = test::SmallRace(4);
    four.RaceNo = "12";
    four.VenueCode = "09";
    four.MeetingNo = "1";
    four.MeetingDay = "8";
    TYoso yoso = MakeYoso({two, four});

    WriteRdxFile(yoso, 2, dir.Dir());

    const std::string blank20(20, ',');
    const std::string expected = "A009,19980524,05,3,2,5, 1,,,,,, 1,, 2,,,," + blank20 + "0102" +
                                 std::string(14 + 25, ',') + "\r\n" +
                                 "A009,19980524,09,1,8,12, 1,,,,,, 1,, 2,, 3,," + blank20 +
                                 "0102,,0103,,0203,,0104,,0204,,0304" + std::string(4 + 25, ',') + "\r\n";
    EXPECT_EQ(ReadBytes(dir.File("K980524.txt")), expected);
}

TEST(OutRdx, AllRacesGoIntoTheFileOfRaceZerosDate) {
    TempDir dir;
    RaceFill later = test::EightRunnerRace1();
    later.RaceDate = "19980531";
    RaceFill first = test::SixteenRunnerRace11();
    first.RaceDate = "20000107";
    TYoso yoso = MakeYoso({first, later});

    const auto written = WriteRdxFile(yoso, 2, dir.Dir());

    ASSERT_EQ(written, std::vector<std::string>{dir.Dir() + "K000107.txt"});
    std::string expected = kRace11 + "\r\n" + kRace1 + "\r\n";
    expected.replace(expected.find("19980524"), 8, "20000107");
    expected.replace(expected.find("19980524"), 8, "19980531");
    EXPECT_EQ(ReadBytes(written[0]), expected);
    EXPECT_EQ(test::FolderNames(dir.Path()), std::vector<std::string>{"K000107.txt"});
}

TEST(OutRdx, APairOfNeitherFormStopsWithoutTouchingTheEarlierFile) {
    TempDir dir;
    test::WriteBytes(dir.File("K980524.txt"), "earlier\r\n");
    RaceFill bad = test::EightRunnerRace1();
    bad.PairBets[5] = "ab-12";
    const TYoso yoso = MakeYoso({test::SixteenRunnerRace11(), bad, test::EightRunnerRace1()});

    const ETalpoError error = test::ErrorOf([&] { WriteRdxFile(yoso, 3, dir.Dir()); });

    EXPECT_EQ(error.Kind(), ErrorKind::NotInteger);
    EXPECT_STREQ(error.what(), "'ab' は整数ではありません");
    EXPECT_EQ(ReadBytes(dir.File("K980524.txt")), "earlier\r\n");
    EXPECT_EQ(test::FolderNames(dir.Path()), std::vector<std::string>{"K980524.txt"});
}

TEST(OutRdx, ATruncatedPairIsAConversionError) {
    TempDir dir;
    RaceFill bad = test::SixteenRunnerRace11();
    bad.PairBets[0] = " 7-";
    TYoso yoso = MakeYoso({bad});

    const ETalpoError error = test::ErrorOf([&] { WriteRdxFile(yoso, 1, dir.Dir()); });

    EXPECT_STREQ(error.what(), "'' は整数ではありません");
    EXPECT_TRUE(test::FolderNames(dir.Path()).empty());
}

}  // namespace
}  // namespace talpo
