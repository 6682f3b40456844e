// The back-test's scoring rules, ticket by ticket, and the figures it adds up from them.
#include <gtest/gtest.h>

#include "backtest/Backtest.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

// A predicted race as the engine leaves it: horses 3, 5 and 7 marked ◎ ○ ▲ and bet on.
struct RacePlan {
    std::string Date = "20240106";
    std::string Venue = "中山";
    std::string RaceNo = " 1";
    int Runners = 10;
    bool Predicted = true;
};

TYoso Store(const std::vector<RacePlan>& plans) {
    TYoso yoso(static_cast<int>(plans.size()));
    for (std::size_t r = 0; r < plans.size(); ++r) {
        const RacePlan& plan = plans[r];
        TYosoRace& race = yoso.Race(static_cast<int>(r));
        race.RaceDate.Set(plan.Date);
        race.VenueName.Set(Sj(plan.Venue));
        race.RaceNo.Set(plan.RaceNo);
        race.RunnerCount.Set(std::to_string(plan.Runners));
        const BetType pair = PairType(plan.Runners);
        race.SetBets(std::vector<Bet>{{BetType::Win, 3},
                                      {BetType::Place, 3},
                                      {BetType::Place, 5},
                                      {BetType::Place, 7},
                                      {pair, 3, 5},
                                      {pair, 3, 7}});
        if (!plan.Predicted) race.SetDeclined();
        for (int h = 0; h < plan.Runners; ++h) {
            race.Horse(h).HorseNo.Set(std::to_string(h + 1));
            race.Horse(h).Mark.Set(h == 2 ? Sj("◎") : h == 4 ? Sj("○") : h == 6 ? Sj("▲") : "  ");
        }
    }
    return yoso;
}

RaceResults Results(const std::string& rows) {
    RaceResults results;
    ParseResults("date,venue,race,type,combination,payout\n" + rows, "r.csv", results);
    return results;
}

std::string Outcomes(const std::vector<ScoredRace>& races) {
    std::string out;
    for (const ScoredRace& race : races) {
        for (const Ticket& t : race.Tickets) {
            out += std::string(BetTypeName(t.Type)) + " " + std::to_string(t.First) +
                   (t.Second ? "-" + std::to_string(t.Second) : "") + " " + OutcomeName(t.Result) + " " +
                   std::to_string(t.Stake) + "/" + std::to_string(t.Return) + "\n";
        }
    }
    return out;
}

TEST(Backtest, ScoresEachTicketByThePayoutRules) {
    const std::string deadHeat =
        "20240106,中山,1,単勝,5,310\n20240106,中山,1,単勝,3,250\n"
        "20240106,中山,1,複勝,3,110\n20240106,中山,1,複勝,5,120\n20240106,中山,1,複勝,1,130\n"
        "20240106,中山,1,馬連,5-3,900\n";
    struct Case {
        const char* Name;
        std::string Rows;
        std::int64_t Stake;
        RacePlan Race;
        std::string Expected;
    };
    const RacePlan small{.Runners = 8};
    const std::vector<Case> cases{
        {"dead heat, pair in either order",
         deadHeat,
         100,
         {},
         "win 3 hit 100/250\nplace 3 hit 100/110\nplace 5 hit 100/120\nplace 7 miss 100/0\n"
         "quinella 3-5 hit 100/900\nquinella 3-7 miss 100/0\n"},
        {"a stake other than 100",
         deadHeat,
         300,
         {},
         "win 3 hit 300/750\nplace 3 hit 300/330\nplace 5 hit 300/360\nplace 7 miss 300/0\n"
         "quinella 3-5 hit 300/2700\nquinella 3-7 miss 300/0\n"},
        {"scratch and not sold",
         "20240106,中山,1,除外,5,\n20240106,中山,1,単勝,3,200\n20240106,中山,1,複勝,7,150\n",
         100,
         {},
         "win 3 hit 100/200\nplace 3 miss 100/0\nplace 5 refunded 0/0\nplace 7 hit 100/150\n"
         "quinella 3-5 refunded 0/0\nquinella 3-7 not_sold 0/0\n"},
        {"cancelled",
         "20240106,中山,1,中止,,\n",
         100,
         {},
         "win 3 refunded 0/0\nplace 3 refunded 0/0\nplace 5 refunded 0/0\nplace 7 refunded 0/0\n"
         "quinella 3-5 refunded 0/0\nquinella 3-7 refunded 0/0\n"},
        {"no result",
         "20240106,中山,2,単勝,3,200\n",
         100,
         {},
         "win 3 no_result 0/0\nplace 3 no_result 0/0\nplace 5 no_result 0/0\nplace 7 no_result 0/0\n"
         "quinella 3-5 no_result 0/0\nquinella 3-7 no_result 0/0\n"},
        {"bracket form, a bracket's horse scratched",
         "20240106,中山,1,枠連,5-3,640\n20240106,中山,1,取消,7,\n20240106,中山,1,単勝,3,200\n", 100, small,
         "win 3 hit 100/200\nplace 3 not_sold 0/0\nplace 5 not_sold 0/0\nplace 7 refunded 0/0\n"
         "bracket_quinella 3-5 hit 100/640\nbracket_quinella 3-7 refunded 0/0\n"},
    };
    for (const Case& c : cases) {
        const RaceResults results = Results(c.Rows);
        Backtest backtest(results, c.Stake, {});
        const TYoso yoso = Store({c.Race});
        EXPECT_EQ(Outcomes(backtest.AddDay(yoso, 1)), c.Expected) << c.Name;
    }
}

TEST(Backtest, AddsUpTypesStreaksGroupsMarksAndCounts) {
    const RaceResults results = Results(
        "20240106,中山,1,単勝,3,250\n"    // race 1: win hit
        "20240106,中山,2,単勝,4,900\n"    // race 2: win miss
        "20240106,中山,3,中止,,\n"        // race 3: cancelled
        "20240210,東京,1,単勝,6,500\n"    // next day: win miss
        "20240210,東京,2,単勝,3,150\n"    // unpredicted race
        "20240210,東京,9,単勝,3,150\n");  // matches no race
    Backtest backtest(results, 100, {GroupKey::Month, GroupKey::Venue});
    const TYoso day1 = Store({{.RaceNo = "1"}, {.RaceNo = "2"}, {.RaceNo = "3"}, {.RaceNo = "4"}});
    const TYoso day2 = Store({{.Date = "20240210", .Venue = "東京", .RaceNo = "1"},
                              {.Date = "20240210", .Venue = "東京", .RaceNo = "2", .Predicted = false}});
    backtest.AddDay(day1, 4);
    backtest.AddDay(day2, 2);
    const BacktestSummary s = backtest.Summary();

    const BacktestCounts& c = s.Counts;
    EXPECT_EQ(std::vector<std::int64_t>({c.Days, c.Races, c.PredictedRaces, c.RacesWithoutPrediction,
                                         c.RacesWithoutResult, c.CancelledRaces, c.ScoredRaces,
                                         c.UnmatchedResultRaces}),
              std::vector<std::int64_t>({2, 6, 5, 1, 1, 1, 3, 1}));
    const TypeFigures& win = s.Types[static_cast<std::size_t>(BetType::Win)];
    EXPECT_EQ(std::vector<std::int64_t>({win.Races, win.Tickets, win.Hits, win.HitRaces, win.Refunded,
                                         win.NotSold, win.Stake, win.Return, win.LongestLosingStreak}),
              std::vector<std::int64_t>({3, 3, 1, 1, 1, 0, 300, 250, 2}));
    // Place and pair tickets were not sold in any race with a result: only the win bets were bought.
    const TypeFigures& total = s.Types[kTotal];
    EXPECT_EQ(std::vector<std::int64_t>({total.Races, total.Tickets, total.NotSold, total.Refunded}),
              std::vector<std::int64_t>({3, 3, 15, 6}));
    EXPECT_EQ(Ratio(win.Return, win.Stake), 250.0 / 300.0);
    EXPECT_EQ(Ratio(total.Hits, 0), std::nullopt);

    // The streak is counted within each group: one losing race in February alone.
    const auto& months = s.Groups.at(GroupKey::Month);
    ASSERT_EQ(months.size(), 2u);
    EXPECT_EQ(months.at("2024-01")[0].LongestLosingStreak, 1);
    EXPECT_EQ(months.at("2024-02")[0].LongestLosingStreak, 1);
    EXPECT_EQ(s.Groups.at(GroupKey::Venue).at(Sj("東京"))[0].Stake, 100);
    EXPECT_FALSE(s.Groups.count(GroupKey::Year));

    // ◎ (horse 3) ran in the three scored races, won one; ○ and ▲ never won.
    const MarkFigures& first = s.Marks[0];
    EXPECT_EQ(std::vector<std::int64_t>({first.WinRuns, first.Wins, first.WinReturn, first.PlaceRuns}),
              std::vector<std::int64_t>({3, 1, 250, 0}));
    EXPECT_EQ(s.Marks[1].WinRuns, 3);
    EXPECT_EQ(s.Marks[1].Wins, 0);
}

}  // namespace
}  // namespace talpo
