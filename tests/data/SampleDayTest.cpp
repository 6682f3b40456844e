// The sample-day generator: repeatable, well-formed, and holding the cases a demonstration should show.
#include <gtest/gtest.h>

#include <set>

#include "common/Cp932.h"
#include "data/RdxDenClass.h"
#include "data/RdxUmaClass.h"
#include "data/SampleDay.h"

namespace talpo {
namespace {

TEST(SampleDay, SameSeedSameBytesOtherSeedOtherDay) {
    const SampleDay a = MakeSampleDay({24, 0, 7});
    const SampleDay b = MakeSampleDay({24, 0, 7});
    const SampleDay c = MakeSampleDay({24, 0, 8});
    EXPECT_EQ(a.Den, b.Den);
    EXPECT_EQ(a.Uma, b.Uma);
    EXPECT_NE(a.Den, c.Den);
    EXPECT_EQ(a.Den.size(), 24u * TDenRec::Size);
    EXPECT_EQ(MakeSampleDay({5, 1000, 1}).Uma.size(), 1000u * TUmaRec::Size);
    EXPECT_TRUE(MakeSampleDay({0, 0, 1}).Den.empty());
}

TEST(SampleDay, EveryRunnerIsInTheHorseFileAndTheDayHasItsCases) {
    TDenma denma = TDenma::FromBytes(MakeSampleDay({24, 0, 1}).Den);
    const TUma uma = TUma::FromBytes(MakeSampleDay({24, 0, 1}).Uma);
    std::set<std::string> venues;
    std::set<std::string> jockeys;
    int blankHorses = 0;
    int runners = 0;
    for (int r = 0; r < denma.RaceCount; ++r) {
        denma.RaceIndex = r;
        venues.insert(denma.GetVenueName());
        EXPECT_NO_THROW(denma.GetRaceName());
        EXPECT_NO_THROW(denma.GetRaceClass());
        const int n = denma.GetRunnerSlots();
        EXPECT_GE(n, 5);
        EXPECT_LE(n, 18);
        for (int i = 0; i < n; ++i, ++runners) {
            const std::string code = denma.GetHorseCode(i);
            ASSERT_TRUE(uma.Find(code).has_value()) << code;
            EXPECT_NO_THROW(uma.GetMaxFigure(code));
            EXPECT_NO_THROW(denma.GetWeight(i));
            if (uma.GetFirstFigure(code) == "0" && uma.GetMaxFigure(code) == "0") ++blankHorses;
            jockeys.insert(TrimBlanks(denma.GetJockey(i)));
            const int bracket = std::stoi(denma.GetBracket(i));
            EXPECT_TRUE(bracket >= 1 && bracket <= 8);
        }
    }
    EXPECT_EQ(venues, (std::set<std::string>{Sj("東京"), Sj("京都")}));
    EXPECT_TRUE(jockeys.count(Sj("甲野")) && jockeys.count(Sj("乙川")));
    EXPECT_GT(blankHorses, 0);
    EXPECT_GT(runners, 24 * 5);
}

TEST(SampleDay, AskedForFieldSizesGiveRacesOfThoseSizesOnly) {
    SampleDayOptions options{36, 1000, 7};
    options.MinRunners = 16;
    options.MaxRunners = 18;
    TDenma denma = TDenma::FromBytes(MakeSampleDay(options).Den);
    std::set<int> sizes;
    for (denma.RaceIndex = 0; denma.RaceIndex < denma.RaceCount; ++denma.RaceIndex)
        sizes.insert(denma.GetRunnerSlots());
    EXPECT_EQ(sizes, (std::set<int>{16, 17, 18}));
    // Without the option the usual mix, as before.
    EXPECT_EQ(MakeSampleDay({24, 0, 7}).Den, MakeSampleDay({24, 0, 7, 0, 0}).Den);
}

// Dates of every race of a day in file order: year, month and day as the fields hold them (month and day
// right-aligned with blanks).
std::vector<std::string> RaceDates(const SampleDay& day) {
    TDenma denma = TDenma::FromBytes(day.Den);
    std::vector<std::string> dates;
    for (int r = 0; r < denma.RaceCount; ++r) {
        denma.RaceIndex = r;
        dates.push_back(denma.GetYear() + "-" + denma.GetMonth() + "-" + denma.GetDay());
    }
    return dates;
}

TEST(SampleDay, DaysStartOnTheDateAskedForAndMoveOnEvery24Races) {
    SampleDayOptions options;
    options.Races = 49;
    std::vector<std::string> want(24, "1998- 5-24");
    want.resize(48, "1998- 5-25");
    want.resize(49, "1998- 5-26");
    EXPECT_EQ(RaceDates(MakeSampleDay(options)), want);

    options.Year = 2024;
    options.Month = 12;
    options.Day = 31;
    const std::vector<std::string> dates = RaceDates(MakeSampleDay(options));
    EXPECT_EQ(dates.front(), "2024-12-31");
    EXPECT_EQ(dates[24], "2025- 1- 1");
    EXPECT_EQ(dates.back(), "2025- 1- 2");

    options.Month = 2;
    options.Day = 28;
    EXPECT_EQ(RaceDates(MakeSampleDay(options))[24], "2024- 3- 1");  // as the generator has always counted
}

TEST(SampleDay, StartDates) {
    EXPECT_TRUE(IsSampleDate(1998, 5, 24));
    EXPECT_TRUE(IsSampleDate(2024, 2, 29));
    EXPECT_TRUE(IsSampleDate(2000, 2, 29));
    EXPECT_FALSE(IsSampleDate(1900, 2, 29));
    EXPECT_FALSE(IsSampleDate(2023, 2, 29));
    EXPECT_FALSE(IsSampleDate(2024, 4, 31));
    EXPECT_FALSE(IsSampleDate(2024, 13, 1));
    EXPECT_FALSE(IsSampleDate(2024, 0, 1));
    EXPECT_FALSE(IsSampleDate(2024, 1, 0));
    EXPECT_FALSE(IsSampleDate(999, 1, 1));
    EXPECT_FALSE(IsSampleDate(10000, 1, 1));
}

}  // namespace
}  // namespace talpo
