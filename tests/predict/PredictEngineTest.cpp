// The day's prediction over real race-card and horse records: the index rules, what is copied into the
// store, missing horses, errors part-way through a day, and the progress reports.
#include <gtest/gtest.h>

#include <functional>

#include "common/TalpoError.h"
#include "predict/PredictTestDay.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using test::Figures;
using test::Padded;

TEST(PredictIndex, FiguresAndJockeyGiveTheIndex) {
    const Figures onlyBest85{"   ", " 85", "   ", "   ", "   "};
    struct Case {
        Figures figures;
        std::string jockeyUtf8;
        int index;
    } const cases[] = {
        {onlyBest85, "", 85},      // first "0": the best figure
        {onlyBest85, "甲野", 90},  // blank-padded named jockeys get the bonus
        {onlyBest85, "乙川", 90},
        {onlyBest85, " 乙川", 90},
        {onlyBest85, "\t甲野", 90},    // control bytes are stripped as blanks are
        {onlyBest85, "甲野　　", 85},  // full-width padding stays and spoils the match
        {onlyBest85, "甲野太", 85},
        {{"  0", "   ", "   ", "   ", "   "}, "甲野", 0},  // best "0": index 0, and never a bonus
        {{"000", "   ", "   ", "   ", "   "}, "", 0},      // "000" is not "0"; best "0" gives 0
        {{"000", " 85", "   ", "   ", "   "}, "", 42},     // ... and with a best figure, the mean 42.5
        {{"   ", "   ", "   ", "   ", "   "}, "乙川", 0},
        {{" 81", " 84", "   ", "   ", "   "}, "", 82},  // 82.5 -> 82
        {{" 83", " 84", "   ", "   ", "   "}, "", 84},  // 83.5 -> 84
        {{" 85", "   ", "092", " 90", "   "}, "", 88},  // first " 85", best 92: 88.5 -> 88
        {{" 85", "   ", "092", " 90", "   "}, "甲野", 93},
        {{"-10", "  7", "   ", "   ", "   "}, "", -2},  // -1.5 -> -2
        {{"-10", "  7", "   ", "   ", "   "}, "乙川", 3},
    };
    test::TestDay day;
    for (const Case& c : cases) day.AddRace({c.figures}).Runners[0].Jockey = Sj(c.jockeyUtf8);
    auto p = test::PredictDay(day);
    for (std::size_t r = 0; r < std::size(cases); ++r) {
        p.Yoso.RaceIndex = static_cast<int>(r);
        p.Yoso.HorseIndex = 0;
        EXPECT_EQ(p.Yoso.GetIndex(), cases[r].index) << "case " << r;
    }
}

TEST(PredictCopy, HeaderAndRunnersReachTheStore) {
    test::TestDay day;
    DenRacePlan& race = day.AddRaceOfIndices({70, 80});
    race.Edition = "065";
    race.Title = Sj("東京優駿");
    race.Month = "05";
    race.Day = "11";
    race.Runners[0] = {race.Runners[0].HorseCode,      "1",        "04",        "3", "550", "0", " ",
                       Sj("トウカイテイオーアイネス"), Sj("甲野"), Sj("調教師")};
    race.Runners[1].Sex = "2";
    race.Runners[1].Age = "10";
    auto p = test::PredictDay(day);
    TYoso& y = p.Yoso;
    const std::pair<std::string, std::string> header[] = {
        {y.GetVenueName(), Sj("東京")}, {y.GetVenueCode(), "04"},
        {y.GetMeetingNo(), "3"},        {y.GetMeetingDay(), "2"},
        {y.GetRaceNo(), "11"},          {y.GetYear(), "1998"},
        {y.GetMonth(), " 5"},           {y.GetDay(), "11"},
        {y.GetRaceDate(), "19980511"},  {y.GetRaceName(), Sj("第65回東京優駿")},
        {y.GetSurface(), Sj("芝")},     {y.GetDistance(), "2400"},
        {y.GetRunnerCount(), "2"},      {y.GetRaceClass(), Sj("オープン")},
        {y.GetStartTime(), "15:40"},
    };
    for (std::size_t i = 0; i < std::size(header); ++i) EXPECT_EQ(header[i].first, header[i].second) << i;
    y.HorseIndex = 0;
    EXPECT_EQ(y.GetHorseName(), Sj("トウカイテイオーアイ"));  // 24 bytes cut to 20
    EXPECT_EQ(y.GetSexAge(), Sj("牝4"));
    EXPECT_EQ(y.GetJockey(), Sj("甲野") + "    ");
    EXPECT_EQ(y.GetTrainer(), Sj("調教師") + "  ");
    EXPECT_EQ(y.GetBracket(), "3");
    EXPECT_EQ(y.GetHorseNo(), "1");
    EXPECT_EQ(y.GetIndex(), 75);
    y.HorseIndex = 1;
    EXPECT_EQ(y.GetSexAge(), Sj("ｾﾝ10"));
    EXPECT_EQ(y.GetHorseNo(), "2");
}

TEST(PredictCopy, RaceDateFromTheStoredMonthAndDay) {
    struct Case {
        std::string month, day, storedMonth, storedDay, date;
    } const cases[] = {
        {"05", "11", " 5", "11", "19980511"},
        {" 5", "11", " 5", "11", "19980511"},
        {"12", "01", "12", " 1", "19981201"},
        {"-5", "11", "-5", "11", "1998-0511"},  // printf keeps the sign before the zero; the field holds 8
    };
    test::TestDay day;
    for (const Case& c : cases) {
        DenRacePlan& race = day.AddRaceOfIndices({});
        race.Month = c.month;
        race.Day = c.day;
    }
    auto p = test::PredictDay(day);
    for (std::size_t r = 0; r < std::size(cases); ++r) {
        p.Yoso.RaceIndex = static_cast<int>(r);
        EXPECT_EQ(p.Yoso.GetMonth(), cases[r].storedMonth);
        EXPECT_EQ(p.Yoso.GetDay(), cases[r].storedDay);
        EXPECT_EQ(p.Yoso.GetRaceDate(), cases[r].date.substr(0, 8));
    }
}

TEST(PredictCopy, CountsAbove18PredictTheFirst18) {
    test::TestDay day;
    std::vector<int> fiveZeros(18), fourZeros(18);
    for (int h = 0; h < 18; ++h) fiveZeros[h] = fourZeros[h] = 50 + h;
    for (int h = 0; h < 5; ++h) fiveZeros[h] = 0;
    for (int h = 0; h < 4; ++h) fourZeros[h] = 0;
    day.AddRaceOfIndices(fiveZeros).RunnerCount = "25";
    day.AddRaceOfIndices(fourZeros).RunnerCount = "25";
    auto p = test::PredictDay(day);
    p.Yoso.RaceIndex = 0;  // a tolerance of 4, from 18 runners, not 5 from 25
    EXPECT_EQ(p.Yoso.GetRunnerCount(), "25");
    EXPECT_EQ(test::WinSlots(p.Yoso), Padded({"--"}, 9));
    p.Yoso.RaceIndex = 1;
    EXPECT_EQ(test::Indices(p.Yoso, 18), fourZeros);
    p.Yoso.HorseIndex = 13;
    EXPECT_EQ(p.Yoso.GetMark(), Sj("×"));
    EXPECT_EQ(test::PairSlots(p.Yoso),
              Padded({"17-18", "16-18", "16-17", "15-18", "15-17", "15-16", "14-18", "14-17"}, 40));
}

TEST(PredictMissing, AbsentHorseHasNoIndexAndTheDayGoesOn) {
    test::TestDay day;
    day.AddRaceOfIndices({70, 80, 60}).Runners[1].HorseCode = "ZZZ0001";
    DenRacePlan& second = day.AddRaceOfIndices({75, 65, 85});
    second.VenueCode = "0";
    second.RaceNo = "03";
    second.Runners[0].HorseCode = second.Runners[2].HorseCode = "ZZZ0001";
    second.Runners[2].Jockey = Sj("甲野");
    auto p = test::PredictDay(day);

    std::vector<std::string> missing;
    for (const MissingHorse& m : p.Report.Missing) {
        missing.push_back(std::to_string(m.RaceIndex) + " " + Cp932ToUtf8(m.VenueName) + " " + m.RaceNo +
                          " " + std::to_string(m.HorseNo) + " " + m.HorseCode);
    }
    EXPECT_EQ(missing,
              std::vector<std::string>({"0 東京 11 2 ZZZ0001", "1 京都 3 1 ZZZ0001", "1 京都 3 3 ZZZ0001"}));
    p.Yoso.RaceIndex = 0;
    EXPECT_EQ(test::Indices(p.Yoso, 3), std::vector<int>({70, 0, 60}));
    EXPECT_EQ(test::PlaceSlots(p.Yoso), Padded({" 1", " 3", " 2"}, 9));
    p.Yoso.RaceIndex = 1;
    EXPECT_EQ(test::Indices(p.Yoso, 3), std::vector<int>({0, 65, 0}));
    EXPECT_EQ(test::WinSlots(p.Yoso), Padded({"--"}, 9));  // two of three without figures
}

TEST(PredictErrors, ConversionErrorStopsTheDayWhereItStands) {
    struct Case {
        const char* name;
        std::function<void(test::TestDay&)> spoil;  // spoils race 1 of 3
        std::string message;
        std::function<void(TYoso&)> checkRace1;
    } const cases[] = {
        {"runner count", [](test::TestDay& d) { d.Races[1].RunnerCount = "1x"; }, "'1x' は整数ではありません",
         [](TYoso& y) {
             EXPECT_EQ(y.GetVenueName(), "");
             y.HorseIndex = 0;
             EXPECT_EQ(y.GetHorseName(), "");
         }},
        {"month", [](test::TestDay& d) { d.Races[1].Month = "x5"; }, "'x5' は整数ではありません",
         [](TYoso& y) {
             EXPECT_EQ(y.GetVenueName(), Sj("東京"));
             EXPECT_EQ(y.GetMonth(), "x5");
             EXPECT_EQ(y.GetDay(), "24");
             EXPECT_EQ(y.GetRaceDate(), "");
             EXPECT_EQ(y.GetRunnerCount(), "");
         }},
        {"figure", [](test::TestDay& d) { d.Horses[4].Figures[1] = "x9 "; }, "'x9 ' は整数ではありません",
         [](TYoso& y) {
             EXPECT_EQ(y.GetRunnerCount(), "3");
             EXPECT_EQ(test::Indices(y, 3), std::vector<int>({71, 0, 0}));
             EXPECT_EQ(test::Marks(y, 3), std::vector<std::string>(3, ""));
             EXPECT_EQ(test::WinSlots(y), Padded({}, 9));
             y.HorseIndex = 1;
             EXPECT_EQ(y.GetHorseNo(), "2");
             y.HorseIndex = 2;
             EXPECT_EQ(y.GetHorseNo(), "");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestDay day;
        for (int r = 0; r < 3; ++r) day.AddRaceOfIndices({70 + r, 80, 60});
        c.spoil(day);
        TDenma denma = day.Denma();
        const TUma uma = day.Uma();
        TYoso yoso(denma.RaceCount);
        test::RecordingProgress progress;
        const ETalpoError error = test::ErrorOf([&] { PredictAll(denma, uma, yoso, progress); });
        EXPECT_EQ(error.Kind(), ErrorKind::NotInteger);
        EXPECT_EQ(std::string(error.what()), c.message);
        EXPECT_EQ(progress.Calls, std::vector<std::string>(
                                      {"Begin 3", "Started 0 [処理数1/3] [東京  11R  予想中]", "Pause 100",
                                       "Done 1", "Started 1 [処理数2/3] [東京  11R  予想中]", "End"}));
        yoso.RaceIndex = 0;
        EXPECT_EQ(test::WinSlots(yoso), Padded({" 2"}, 9));
        yoso.RaceIndex = 1;
        c.checkRace1(yoso);
        yoso.RaceIndex = 2;
        EXPECT_EQ(yoso.GetVenueName(), "");
        EXPECT_EQ(test::Indices(yoso, 3), std::vector<int>({0, 0, 0}));
    }
}

TEST(PredictErrors, ARaceCardOfZeroBytesIsTheConversionErrorOfItsEmptyRunnerCount) {
    // Every field stops before its first zero byte: the runner count is the empty text.
    TDenma denma = TDenma::FromBytes(std::string(2 * TDenRec::Size, '\0'));
    const TUma uma = TUma::FromBytes(std::string(TUmaRec::Size, '\0'));
    TYoso yoso(denma.RaceCount);
    test::RecordingProgress progress;
    const ETalpoError error = test::ErrorOf([&] { PredictAll(denma, uma, yoso, progress); });
    EXPECT_EQ(error.Kind(), ErrorKind::NotInteger);
    EXPECT_STREQ(error.what(), "'' は整数ではありません");
    EXPECT_EQ(progress.Calls.back(), "End");
}

TEST(PredictProgress, ThreeRacesReportEveryStep) {
    test::TestDay day;
    day.AddRaceOfIndices({70, 80});
    DenRacePlan& kyoto = day.AddRaceOfIndices({});
    kyoto.VenueCode = "0";
    kyoto.RaceNo = "01";
    day.AddRaceOfIndices({60}).VenueCode = "X";  // no venue name: four blanks
    TDenma denma = day.Denma();
    const TUma uma = day.Uma();
    TYoso yoso(denma.RaceCount);
    test::RecordingProgress progress;
    PredictAll(denma, uma, yoso, progress);
    EXPECT_EQ(progress.Calls, std::vector<std::string>({
                                  "Begin 3",
                                  "Started 0 [処理数1/3] [東京  11R  予想中]",
                                  "Pause 100",
                                  "Done 1",
                                  "Started 1 [処理数2/3] [京都  1R  予想中]",
                                  "Pause 100",
                                  "Done 2",
                                  "Started 2 [処理数3/3] [      11R  予想中]",
                                  "Pause 100",
                                  "Done 3",
                                  "End",
                              }));
    EXPECT_EQ(denma.RaceIndex, 0);  // the engine reads races by index, moving no cursor
    EXPECT_EQ(yoso.RaceIndex, 0);
}

TEST(PredictProgress, CountCaptionOfALongDay) {
    test::TestDay day;
    for (int r = 0; r < 24; ++r) day.AddRaceOfIndices({});
    TDenma denma = day.Denma();
    const TUma uma = day.Uma();
    TYoso yoso(denma.RaceCount);
    test::RecordingProgress progress;
    PredictAll(denma, uma, yoso, progress);
    ASSERT_EQ(progress.Calls.size(), 2u + 24u * 3u);
    EXPECT_EQ(progress.Calls[1 + 2 * 3], "Started 2 [処理数3/24] [東京  11R  予想中]");
}

TEST(PredictProgress, DayWithoutRacesBeginsAndEnds) {
    TDenma denma = TDenma::FromBytes("");
    const TUma uma = TUma::FromBytes("");
    TYoso yoso(denma.RaceCount);
    test::RecordingProgress progress;
    const PredictReport report = PredictAll(denma, uma, yoso, progress);
    EXPECT_EQ(progress.Calls, std::vector<std::string>({"Begin 0", "End"}));
    EXPECT_TRUE(report.Missing.empty());
    EXPECT_EQ(yoso.RaceCount, 0);
    EXPECT_EQ(yoso.RaceIndex, 0);
}

}  // namespace
}  // namespace talpo
