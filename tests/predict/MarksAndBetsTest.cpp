// Ranking of a race: order of equal indices, the no-prediction rule, marks, and the three bet kinds.
#include <gtest/gtest.h>

#include "predict/MarksAndBets.h"
#include "predict/PredictTestDay.h"

namespace talpo {
namespace {

using test::Padded;
using test::PairSlots;
using test::PlaceSlots;
using test::WinSlots;

const std::string U = "  ";  // unmarked

std::vector<std::string> MarkTexts(std::initializer_list<const char*> utf8) {
    std::vector<std::string> out;
    for (const char* m : utf8) out.push_back(std::string(m) == "  " ? U : Sj(m));
    return out;
}

// One race of these indices, predicted through the whole engine.
test::Predicted One(const std::vector<int>& indices) {
    test::TestDay day;
    day.AddRaceOfIndices(indices);
    return test::PredictDay(day);
}

TEST(RankSmall, CompareAndTheTextsOfABet) {
    EXPECT_EQ(CompareByIndex({1, 80}, {2, 50}), -1);
    EXPECT_EQ(CompareByIndex({1, 50}, {2, 80}), 1);
    EXPECT_EQ(CompareByIndex({1, 60}, {2, 60}), 0);
    EXPECT_EQ(CompareByIndex({1, -1}, {2, 0}), 1);
    struct Case {
        Bet bet;
        std::string slot, label;
    } const cases[] = {
        {{BetType::Win, 7}, " 7", "7"},
        {{BetType::Place, 12}, "12", "12"},
        {{BetType::BracketQuinella, 3, 6}, "   36", "3-6"},
        {{BetType::Quinella, 3, 12}, " 3-12", "3-12"},
        {{BetType::Quinella, 9, 10}, " 9-10", "9-10"},
        {{BetType::Quinella, 17, 18}, "17-18", "17-18"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SlotText(c.bet), c.slot) << c.label;
        EXPECT_EQ(BetLabel(c.bet), c.label);
    }
}

TEST(RankSmall, ToleranceAndMarkCountTables) {
    const int tolerance[19] = {0, 0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4};
    const int marks[19] = {3, 3, 3, 3, 3, 3, 3, 3, 3, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5};
    for (int n = 0; n <= 18; ++n) {
        EXPECT_EQ(Tolerance(n), tolerance[n]) << n;
        EXPECT_EQ(MarkCount(n), marks[n]) << n;
    }
}

TEST(RankRace, TieOrdersShowInMarksAndBets) {
    auto three = One({70, 70, 70});
    EXPECT_EQ(test::Marks(three.Yoso, 3), MarkTexts({"▲", "○", "◎"}));
    EXPECT_EQ(PlaceSlots(three.Yoso), Padded({" 3", " 2", " 1"}, 9));
    EXPECT_EQ(PairSlots(three.Yoso), Padded({"   23", "   13", "   12"}, 40));

    auto four = One({50, 60, 60, 40});
    EXPECT_EQ(test::Marks(four.Yoso, 4), MarkTexts({"▲", "○", "◎", "  "}));
    EXPECT_EQ(PairSlots(four.Yoso), Padded({"   23", "   13", "   12", "   34", "   24", "   14"}, 40));

    auto five = One({80, 80, 90, 0, 80});
    EXPECT_EQ(test::Marks(five.Yoso, 5), MarkTexts({"▲", "  ", "◎", "  ", "○"}));
    EXPECT_EQ(WinSlots(five.Yoso), Padded({" 3"}, 9));
    EXPECT_EQ(PlaceSlots(five.Yoso), Padded({" 3", " 5", " 1"}, 9));
    EXPECT_EQ(PairSlots(five.Yoso),
              Padded({"   35", "   13", "   15", "   23", "   25", "   12", "   34", "   45"}, 40));
}

TEST(RankRace, NoPredictionOnlyAboveTheTolerance) {
    for (int n = 1; n <= 18; ++n) {
        for (const int zeros : {Tolerance(n), Tolerance(n) + 1}) {
            if (zeros > n) continue;
            std::vector<int> indices;
            for (int h = 0; h < n; ++h) indices.push_back(h < zeros ? 0 : 40 + h);
            auto p = One(indices);
            const bool predicted = zeros <= Tolerance(n);
            p.Yoso.BetIndex = 0;
            EXPECT_EQ(p.Yoso.GetWinBet() == "--", !predicted) << n << " runners, " << zeros << " zeros";
        }
    }
}

TEST(RankRace, TooManyZerosGivesTheNoPredictionTexts) {
    auto p = One({50, 0, 60, 0, 70, 0, 80, 55, 65, 75});
    EXPECT_EQ(WinSlots(p.Yoso), Padded({"--"}, 9));
    EXPECT_EQ(PlaceSlots(p.Yoso), Padded({"--"}, 9));
    EXPECT_EQ(PairSlots(p.Yoso), Padded({"-----"}, 40));
    EXPECT_EQ(test::Marks(p.Yoso, 10), std::vector<std::string>(10, U));
}

TEST(RankRace, MarkCountFollowsTheField) {
    const std::vector<std::string> all = MarkTexts({"◎", "○", "▲", "△", "×"});
    for (const auto& [n, count] : {std::pair{8, 3}, {9, 4}, {11, 4}, {12, 5}, {18, 5}}) {
        std::vector<int> indices;
        for (int h = 0; h < n; ++h) indices.push_back(90 - h);  // horse 1 best
        auto p = One(indices);
        std::vector<std::string> expected(all.begin(), all.begin() + count);
        expected.resize(static_cast<std::size_t>(n), U);
        EXPECT_EQ(test::Marks(p.Yoso, n), expected) << n;
    }
}

TEST(RankRace, WinPlaceAndPairForms) {
    // 8 runners: horse 6 first, horse 3 second; 12 runners: horse 12 first, horse 3 second.
    auto eight = One({40, 41, 80, 42, 43, 90, 44, 45});
    EXPECT_EQ(WinSlots(eight.Yoso), Padded({" 6"}, 9));
    EXPECT_EQ(PlaceSlots(eight.Yoso), Padded({" 6", " 3", " 8"}, 9));
    EXPECT_EQ(PairSlots(eight.Yoso)[0], "   36");

    auto twelve = One({40, 41, 80, 42, 43, 44, 45, 46, 47, 48, 49, 90});
    EXPECT_EQ(WinSlots(twelve.Yoso), Padded({"12"}, 9));
    EXPECT_EQ(PlaceSlots(twelve.Yoso), Padded({"12", " 3", "11"}, 9));
    EXPECT_EQ(PairSlots(twelve.Yoso),
              Padded({" 3-12", "11-12", " 3-11", "10-12", " 3-10", "10-11", " 9-12", " 3- 9"}, 40));

    auto seven = One({40, 41, 42, 43, 44, 45, 90});
    EXPECT_EQ(WinSlots(seven.Yoso), Padded({" 7"}, 9));
}

TEST(RankRace, SmallFieldsLeaveMissingRanksEmpty) {
    struct Case {
        std::vector<int> indices;
        std::vector<std::string> marks, win, place, pairs;
    } const cases[] = {
        {{}, {}, {}, {}, {}},
        {{60}, MarkTexts({"◎"}), {" 1"}, {" 1"}, {}},
        {{60, 70}, MarkTexts({"○", "◎"}), {" 2"}, {" 2", " 1"}, {"   12"}},
        {{60, 70, 65}, MarkTexts({"▲", "◎", "○"}), {" 2"}, {" 2", " 3", " 1"}, {"   23", "   12", "   13"}},
        {{60, 70, 65, 0},
         MarkTexts({"▲", "◎", "○", "  "}),
         {" 2"},
         {" 2", " 3", " 1"},
         {"   23", "   12", "   13", "   24", "   34", "   14"}},
    };
    for (const Case& c : cases) {
        auto p = One(c.indices);
        const int n = static_cast<int>(c.indices.size());
        EXPECT_EQ(test::Marks(p.Yoso, n), c.marks) << n;
        EXPECT_EQ(WinSlots(p.Yoso), Padded(c.win, 9)) << n;
        EXPECT_EQ(PlaceSlots(p.Yoso), Padded(c.place, 9)) << n;
        EXPECT_EQ(PairSlots(p.Yoso), Padded(c.pairs, 40)) << n;
    }
}

TEST(RankRace, StaleBetsAreEmptiedAndIndicesAreRead) {
    TYoso yoso(1);
    TYosoRace& race = yoso.Race(0);
    race.SetDeclined();
    for (int slot = 0; slot < 8; ++slot) race.WinBets[static_cast<std::size_t>(slot)].Set("xx");
    for (const auto& [h, index] : {std::pair{0, 10}, {1, 30}, {2, 20}}) race.Horse(h).Index = index;
    AssignMarksAndBets(race, 3);
    EXPECT_EQ(test::Marks(yoso, 3), MarkTexts({"▲", "◎", "○"}));
    EXPECT_EQ(WinSlots(yoso), Padded({" 2"}, 9));
    EXPECT_EQ(PlaceSlots(yoso), Padded({" 2", " 3", " 1"}, 9));
    EXPECT_EQ(PairSlots(yoso), Padded({"   23", "   12", "   13"}, 40));
}

}  // namespace
}  // namespace talpo
