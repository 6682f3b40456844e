// The race card's composed texts, shared by the window and the terminal view.
#include <gtest/gtest.h>

#include "day/RaceCardText.h"
#include "common/Cp932.h"
#include "common/TalpoError.h"
#include "data/RdxRecordBuilder.h"

namespace talpo {
namespace {

TDenma Race(const DenRaceSpec& card) {
    return TDenma::FromBytes(BuildDenRecord(card));
}

TEST(RaceCardText, HeaderOfAPredictedTurfRace) {
    DenRaceSpec card;
    card.Month = "05";
    card.Day = "11";
    card.Edition = "012";
    card.Title = Sj("テスト記念");
    card.AgeClass = "3";
    card.RaceClass = "4";
    card.Grade = "0";
    card.Condition = "13";
    card.WeightRule = Sj("馬令");
    card.Turn = "1";
    card.CourseRail = "0";
    card.CourseType = "2";
    card.Pace = "1";
    card.Runners.resize(18);
    const RaceCardHeader h = MakeRaceCardHeader(Race(card));
    EXPECT_EQ(h.Ymd, Sj("1998年 5月11日"));
    EXPECT_EQ(h.Kaisai, Sj("3回東京2日目"));
    EXPECT_EQ(h.Race, "11R");
    EXPECT_EQ(h.StartTime, Sj("15:40発走"));
    EXPECT_EQ(h.Tosu, Sj("18頭立"));
    EXPECT_EQ(h.Joken, Sj("４歳以上 オープン Ｇ１(混)(指)馬齢"));
    EXPECT_EQ(h.Title, Sj("第12回テスト記念"));
    EXPECT_EQ(h.Course, Sj("芝2400m･左A外→内"));
    EXPECT_EQ(h.Course.find("\xA5"), 7u) << "the dot is the one-byte middle dot";
    EXPECT_TRUE(h.Turf);
    EXPECT_EQ(h.TimeGood, "2:24:5");
    EXPECT_EQ(h.Pace, Sj("予想ペース M"));
}

TEST(RaceCardText, DirtRaceWithoutTitleOrPace) {
    DenRaceSpec card;
    card.Surface = "0";
    card.Pace = " ";
    card.Title = "";
    card.RaceClass = "0";
    card.PrizeLimit = "0500";
    const RaceCardHeader h = MakeRaceCardHeader(Race(card));
    EXPECT_FALSE(h.Turf);
    EXPECT_TRUE(h.Title.empty());
    EXPECT_TRUE(h.Pace.empty());
    EXPECT_EQ(h.Joken, Sj("４歳以上 500万下 (勝入)"));
}

TEST(RaceCardText, WeightsAndColumnTitles) {
    EXPECT_EQ(FormatWeight(57.0f), "57");
    EXPECT_EQ(FormatWeight(55.5f), "55.5");
    EXPECT_EQ(FormatWeight(52.3f), "52.3");
    EXPECT_EQ(FormatWeight(52.0f), "52");
    DenRaceSpec card;
    card.Runners.resize(2);
    card.Runners[0].Weight = "523";
    card.Runners[0].Allowance = "1";
    card.Runners[1].Weight = "   ";
    const TDenma denma = Race(card);
    EXPECT_EQ(WeightText(denma, 0), "52.3" + Sj("☆"));
    EXPECT_THROW(WeightText(denma, 1), ETalpoError);
    EXPECT_EQ(PairColumnTitle(8), Sj("枠連"));
    EXPECT_EQ(PairColumnTitle(9), Sj("馬連"));
}

}  // namespace
}  // namespace talpo
