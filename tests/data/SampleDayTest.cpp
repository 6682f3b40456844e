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

}  // namespace
}  // namespace talpo
