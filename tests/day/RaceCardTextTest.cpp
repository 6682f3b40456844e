// The race card's composed texts, shared by the window and the terminal view.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/Cp932.h"
#include "common/TalpoError.h"
#include "data/RdxRecordBuilder.h"
#include "day/RaceCardText.h"

namespace talpo {
namespace {

TDenma Race(const DenRacePlan& card) {
    return TDenma::FromBytes(BuildDenRecord(card));
}

TEST(RaceCardText, HeaderOfAPredictedTurfRace) {
    DenRacePlan card;
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
    const RaceCardHeader h = MakeRaceCardHeader(Race(card).Race(0));
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
    DenRacePlan card;
    card.Surface = "0";
    card.Pace = " ";
    card.Title = "";
    card.RaceClass = "0";
    card.PrizeLimit = "0500";
    const RaceCardHeader h = MakeRaceCardHeader(Race(card).Race(0));
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
    DenRacePlan card;
    card.Runners.resize(2);
    card.Runners[0].Weight = "523";
    card.Runners[0].Allowance = "1";
    card.Runners[1].Weight = "   ";
    const TDenma denma = Race(card);
    EXPECT_EQ(WeightText(denma.Race(0), 0), "52.3" + Sj("☆"));
    EXPECT_THROW(WeightText(denma.Race(0), 1), ETalpoError);
    EXPECT_EQ(PairColumnTitle(8), Sj("枠連"));
    EXPECT_EQ(PairColumnTitle(9), Sj("馬連"));
}

// A store of a race per list of marks: runner h of race r has mark marks[r][h] and index 10 * r + h.
TYoso Store(const std::vector<std::vector<std::string>>& marks) {
    TYoso yoso(static_cast<std::int32_t>(marks.size()));
    for (int r = 0; r < yoso.RaceCount; ++r) {
        for (int h = 0; h < static_cast<int>(marks[static_cast<std::size_t>(r)].size()); ++h) {
            yoso.Race(r).Horse(h).Mark.Set(marks[static_cast<std::size_t>(r)][static_cast<std::size_t>(h)]);
            yoso.Race(r).Horse(h).Index = 10 * r + h;
        }
    }
    return yoso;
}

TEST(RaceCardText, ARunnerRowHoldsTheCellsAsStoredInColumnOrder) {
    DenRacePlan card;
    card.Runners.resize(2);
    DenRunnerPlan& runner = card.Runners[1];
    runner.Bracket = "2";
    runner.Sex = "1";
    runner.Age = "05";
    runner.Weight = "555";
    runner.Allowance = "1";
    runner.Mark = "2";
    runner.HorseName = Sj("テストホース");
    runner.Jockey = Sj("甲野");
    runner.Trainer = Sj("乙川");
    const TDenma denma = Race(card);
    const TYoso yoso = Store({{"", Sj("◎")}});

    const std::vector<RunnerRow> rows = MakeRunnerRows(denma.Race(0), yoso.Race(0), 2);

    ASSERT_EQ(rows.size(), 2u);
    const RunnerCells expected = {
        "2",
        "2",
        Sj("◎▲"),
        Sj("テストホース") + std::string(18, ' '),  // the 30-byte field, blanks included
        Sj("牝5"),
        Sj("甲野") + "    ",
        "55.5" + Sj("☆"),
        Sj("乙川") + "    ",
        "1",
    };
    EXPECT_EQ(rows[1].Cells, expected);
    EXPECT_EQ(rows[1].WeightError, "");
    // No mark of either kind: the store's empty text and the data's two blanks.
    EXPECT_EQ(rows[0].Cells[ColMarks], "  ");
    EXPECT_EQ(rows[0].Cells[ColNo], "1");
    EXPECT_EQ(rows[0].Cells[ColIndex], "0");
}

TEST(RaceCardText, AWeightThatIsNoNumberEmptiesOnlyItsCellAndKeepsItsMessage) {
    DenRacePlan card;
    card.Runners.resize(3);
    card.Runners[1].Weight = "5x3";
    card.Runners[1].Trainer = Sj("丙山");
    card.Runners[2].Weight = "abc";
    const TDenma denma = Race(card);

    const std::vector<RunnerRow> rows = MakeRunnerRows(denma.Race(0), Store({{"", "", ""}}).Race(0), 3);

    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Cells[ColWeight], "55  ");
    EXPECT_EQ(rows[0].WeightError, "");
    EXPECT_EQ(rows[1].Cells[ColWeight], "");
    EXPECT_EQ(rows[1].WeightError, "'5x.3' は浮動小数点数ではありません");
    EXPECT_EQ(rows[1].Cells[ColTrainer], Sj("丙山") + "    ");
    EXPECT_EQ(rows[1].Cells[ColIndex], "1");
    EXPECT_EQ(rows[2].Cells[ColWeight], "");
    EXPECT_EQ(rows[2].WeightError, "'ab.c' は浮動小数点数ではありません");
}

TEST(RaceCardText, RowsAndBetsComeFromTheStoresRaceGiven) {
    DenRacePlan card;
    card.Runners.resize(2);
    const TDenma denma = Race(card);
    TYoso yoso = Store({{Sj("○"), Sj("◎")}, {Sj("◎"), Sj("△")}});
    yoso.Race(1).SetBets(std::vector<Bet>{{BetType::Win, 1}});

    const std::vector<RunnerRow> rows = MakeRunnerRows(denma.Race(0), yoso.Race(1), 2);
    const BetTable bets = MakeBetTable(yoso.Race(1), 2);

    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Cells[ColMarks], Sj("◎") + "  ");
    EXPECT_EQ(rows[1].Cells[ColMarks], Sj("△") + "  ");
    EXPECT_EQ(rows[1].Cells[ColIndex], "11");
    EXPECT_EQ(bets.Columns[0], std::vector<std::string>{" 1"});
}

TEST(RaceCardText, TheBetTableShowsTheSlotsOfEachKindUnderTheirTitles) {
    TYoso yoso(1);
    TYosoRace& race = yoso.Race(0);
    race.SetBets(std::vector<Bet>{{BetType::Win, 1},
                                  {BetType::Place, 1},
                                  {BetType::Place, 2},
                                  {BetType::BracketQuinella, 1, 2},
                                  {BetType::BracketQuinella, 2, 3}});

    const BetTable small = MakeBetTable(race, 8);
    const BetTable large = MakeBetTable(race, 9);

    const std::array<std::string, 3> smallTitles = {Sj("単勝"), Sj("複勝"), Sj("枠連")};
    EXPECT_EQ(small.Titles, smallTitles);
    EXPECT_EQ(large.Titles[2], Sj("馬連"));
    EXPECT_EQ(small.Columns[0], std::vector<std::string>{" 1"});
    EXPECT_EQ(small.Columns[1], (std::vector<std::string>{" 1", " 2", ""}));
    EXPECT_EQ(small.Columns[2], (std::vector<std::string>{"   12", "   23", "", "", "", "", "", ""}));
    EXPECT_EQ(large.Columns, small.Columns);

    // No prediction (declined, or a race of no runners): said, not shown as bets.
    for (const bool declined : {true, false}) {
        declined ? race.SetDeclined() : race.SetBets({});
        const BetTable none = MakeBetTable(race, 8);
        EXPECT_EQ(none.Titles, smallTitles);
        EXPECT_TRUE(none.Columns[0].empty() && none.Columns[1].empty());
        EXPECT_EQ(none.Columns[2], std::vector<std::string>{Sj("予想無し")});
    }
}

}  // namespace
}  // namespace talpo
