// Strategies in the back-test: the range of the rate and the drawdown, the refusals of a strategies file,
// and which races and tickets a strategy takes.
#include <gtest/gtest.h>

#include "backtest/BacktestRisk.h"
#include "backtest/StrategiesFile.h"
#include "common/TalpoError.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

// A predicted race of 12 runners with ◎ on horse 3 and ○ on horse 5: one win, three place and three pair
// tickets (a bracket form first).
struct RacePlan {
    std::string Date = "20240106";
    std::string Venue = "中山";
    int RaceNo = 11;
    std::string Surface = "芝";
    std::string Class = "オープン";
    std::string Distance = "1800";
    int Runners = 12;
    int TopIndex = 95;
    std::optional<int> SecondIndex = 88;
    bool Predicted = true;
};

TYoso Store(const std::vector<RacePlan>& plans) {
    TYoso yoso(static_cast<int>(plans.size()));
    for (std::size_t r = 0; r < plans.size(); ++r) {
        const RacePlan& p = plans[r];
        TYosoRace& race = yoso.Race(static_cast<int>(r));
        race.RaceDate.Set(p.Date);
        race.VenueName.Set(Sj(p.Venue));
        race.RaceNo.Set(std::to_string(p.RaceNo));
        race.Surface.Set(Sj(p.Surface));
        race.RaceClass.Set(Sj(p.Class));
        race.Distance.Set(p.Distance);
        race.RunnerCount.Set(std::to_string(p.Runners));
        race.SetBets(std::vector<Bet>{{BetType::Win, 3},
                                      {BetType::Place, 3},
                                      {BetType::Place, 5},
                                      {BetType::Place, 7},
                                      {BetType::BracketQuinella, 3, 5},
                                      {BetType::Quinella, 3, 7},
                                      {BetType::Quinella, 5, 7}});
        if (!p.Predicted) race.SetDeclined();
        for (int h = 0; h < p.Runners; ++h) {
            TYosoHorse& horse = race.Horse(h);
            horse.HorseNo.Set(std::to_string(h + 1));
            horse.Index = h == 2 ? p.TopIndex : h == 4 ? p.SecondIndex.value_or(70) : 60;
            horse.Mark.Set(h == 2 ? Sj("◎") : h == 4 && p.SecondIndex ? Sj("○") : "  ");
        }
    }
    return yoso;
}

RaceResults Results(const std::string& rows) {
    RaceResults results;
    ParseResults("date,venue,race,type,combination,payout\n" + rows, "r.csv", results);
    return results;
}

// Win bets only (no place or pair slots): races 1 to 7 at 中山 on one day.
TYoso WinOnlyStore(int races) {
    TYoso yoso(races);
    for (int r = 0; r < races; ++r) {
        TYosoRace& race = yoso.Race(r);
        race.RaceDate.Set("20240106");
        race.VenueName.Set(Sj("中山"));
        race.RaceNo.Set(std::to_string(r + 1));
        race.RunnerCount.Set("10");
        race.SetBets(std::vector<Bet>{{BetType::Win, 3}});
    }
    return yoso;
}

TEST(BacktestRisk, RangeAndDrawdownOfAHandMadeSeason) {
    // Win bets of 100 yen returning 250, 0, 0, 180, 0, (no result), 400: the profit runs 150, 50, -50, 30,
    // -70, 330, the deepest fall 150 to -70. R = 830 / 600; the returns less R·100 square to 140,083.3, so
    // s² = 28,016.7 and SE = √(s² / 6) / 100 = 0.68333.
    const RaceResults results = Results(
        "20240106,中山,1,単勝,3,250\n20240106,中山,2,単勝,4,200\n20240106,中山,3,単勝,4,200\n"
        "20240106,中山,4,単勝,3,180\n20240106,中山,5,単勝,1,300\n20240106,中山,7,単勝,3,400\n");
    Backtest backtest(results, 100, {});
    backtest.AddDay(WinOnlyStore(7), 7);
    const BacktestSummary summary = backtest.Summary();
    const TypeFigures& win = summary.Types[static_cast<std::size_t>(BetType::Win)];
    EXPECT_EQ(MaxDrawdown(win), 220);
    const auto range = RecoveryRange(win);
    ASSERT_TRUE(range);
    EXPECT_NEAR((*range)[0], 0.044, 1e-12);
    EXPECT_NEAR((*range)[1], 2.7226666666666667, 1e-12);

    // Returns 0, 0, 0, 1000: R = 2.5 and SE = 2.5, so the low end would be below 0.
    TypeFigures wide;
    wide.PerRace = {{100, 0}, {100, 0}, {100, 0}, {100, 1000}};
    EXPECT_EQ(RecoveryRange(wide), (std::array<double, 2>{0.0, 7.4}));
    EXPECT_EQ(MaxDrawdown(wide), 300);
    wide.PerRace.resize(1);
    EXPECT_EQ(RecoveryRange(wide), std::nullopt);
}

TEST(StrategiesFile, RefusesEachKindOfFaultByFileLineAndKey) {
    const std::string head = "[[strategy]]\nname = \"a\"\n";
    const std::vector<std::pair<std::string, std::string>> cases{
        {"[[strategy]]\nname = \"a\n",
         "s.toml:2: TOML として読めません（Error while parsing string: unescaped "
         "control characters other than TAB (U+0009) are explicitly prohibited）"},
        {head + "[strategy.when]\nrunners = [10, 18]\nruners = [1, 2]\n",
         "s.toml:5: 'runers' は使えない項目です"},
        {"title = \"x\"\n", "s.toml:1: 'title' は使えない項目です"},
        {head + "places = \"2\"\n", "s.toml:3: 'places' は整数で書きます"},
        {head + "bets = \"win\"\n", "s.toml:3: 'bets' は文字列の配列で書きます"},
        {head + "when = 1\n", "s.toml:3: 'when' は表で書きます"},
        {"[strategy]\nname = \"a\"\n", "s.toml:1: 'strategy' は [[strategy]] の表で書きます"},
        {head + "[strategy.when]\ndistance = [2400, 1600]\n",
         "s.toml:4: 'distance' の下限 2400 が上限 1600 を超えています"},
        {head + "[strategy.when]\nindex_gap = [5]\n",
         "s.toml:4: 'index_gap' は [下限, 上限] の二つの整数で書きます"},
        {head + "bets = [\"win\",\n  \"exacta\"]\n",
         "s.toml:4: 'exacta' は券種ではありません（win place bracket_quinella quinella、または 単勝 複勝 "
         "枠連 馬連）"},
        {head + "[strategy.when]\nsurface = [\"障\"]\n",
         "s.toml:4: '障' は馬場ではありません（芝 または ダ）"},
        {head + "[strategy.when]\nmonth = [12, 13]\n",
         "s.toml:4: 'month' の 13 は月ではありません（1 から 12）"},
        {head + "places = 0\n", "s.toml:3: 'places' は 1 から 3 までです（0）"},
        {head + "pairs = 9\n", "s.toml:3: 'pairs' は 1 から 8 までです（9）"},
        {"[[strategy]]\nbets = [\"win\"]\n", "s.toml:1: 戦略に 'name' がありません"},
        {"[[strategy]]\nname = \"\"\n", "s.toml:2: 'name' が空です"},
        {"[[strategy]]\nname = \"" + std::string(41, 'x') + "\"\n",
         "s.toml:2: 'name' は 40 文字までです（41 文字）"},
        {head + "\n[[strategy]]\nname = \"a\"\n", "s.toml:5: 'name' の 'a' は 1 行目の戦略と同じです"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ParseStrategies(text, "s.toml");
            ADD_FAILURE() << "accepted: " << text;
        } catch (const ETalpoError& e) {
            EXPECT_EQ(e.Kind(), ErrorKind::Strategies);
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
    // Forty characters are a name, counted as characters, not bytes.
    std::string forty;
    for (int c = 0; c < 40; ++c) forty += "馬";
    EXPECT_EQ(ParseStrategies("[[strategy]]\nname = \"" + forty + "\"\n", "s.toml").size(), 1u);
    EXPECT_EQ(ParseStrategies("[[strategy]]\nname = \"◎単勝・芝・10頭以上\"\n", "s.toml").front().Name,
              "◎単勝・芝・10頭以上");
}

TEST(Strategy, EveryConditionTakesTheRacesAndTicketsCountedByHand) {
    const std::vector<Strategy> strategies = ParseStrategies(R"([[strategy]]
name = "all of it"
bets = ["複勝", "quinella"]
places = 2
pairs = 2
[strategy.when]
venue = ["中山", "阪神"]
surface = ["芝"]
class = ["オープン"]
distance = [1600, 2000]
runners = [10, 16]
race_no = [9, 12]
month = [1, 3]
top_index = [90, 999]
index_gap = [5, 999]
)",
                                                             "s.toml");
    // The first race meets every condition, the second each at an end of its range; each other race misses
    // one, and the last has no prediction.
    const std::vector<RacePlan> plans{
        {},
        {.Date = "20240302",
         .Venue = "阪神",
         .RaceNo = 12,
         .Distance = "2000",
         .Runners = 16,
         .TopIndex = 90,
         .SecondIndex = 85},
        {.Venue = "東京"},
        {.Surface = "ダ"},
        {.Class = "未勝利"},
        {.Distance = "2200"},
        {.Distance = ""},
        {.Runners = 9},
        {.RaceNo = 8},
        {.Date = "20240210"},
        {.TopIndex = 89, .SecondIndex = 80},
        {.TopIndex = 92, .SecondIndex = 88},
        {.SecondIndex = std::nullopt},
        {.Predicted = false},
    };
    std::string rows;
    for (const char* race : {"20240106,中山,11,", "20240302,阪神,12,"}) {
        for (const char* row :
             {"単勝,3,250", "複勝,3,110", "複勝,5,120", "複勝,7,130", "枠連,3-5,500", "馬連,3-7,900"})
            rows += std::string(race) + row + "\n";
    }
    const RaceResults results = Results(rows);
    Backtest backtest(results, 100, {});
    StrategyTally tally(strategies, "20240301");
    const std::vector<ScoredRace> scored = backtest.AddDay(Store(plans), static_cast<int>(plans.size()));
    std::vector<std::size_t> met;
    for (std::size_t r = 0; r < scored.size(); ++r) {
        tally.Add(scored[r]);
        if (Meets(strategies[0], scored[r])) met.push_back(r);
    }
    EXPECT_EQ(met, (std::vector<std::size_t>{0, 1}));

    // Each race buys its first two place tickets and, of its first two pair tickets (the bracket form
    // first), the quinella 3-7.
    const StrategyFigures& f = tally.Figures()[0];
    EXPECT_EQ(f.All.Races, 2);
    std::vector<std::int64_t> tickets;
    for (const TypeFigures& type : f.All.Types) tickets.push_back(type.Tickets);
    EXPECT_EQ(tickets, (std::vector<std::int64_t>{0, 4, 0, 2, 6}));
    EXPECT_EQ(f.All.Types[kTotal].Hits, 6);
    EXPECT_EQ(f.All.Types[kTotal].Stake, 600);
    EXPECT_EQ(f.All.Types[kTotal].Return, 2260);
    EXPECT_EQ(
        std::vector<std::int64_t>({f.Before.Races, f.From.Races, tally.Before().Races, tally.From().Races}),
        std::vector<std::int64_t>({1, 1, 12, 1}));
    EXPECT_EQ(f.From.Types[kTotal].Return, 1130);
}

}  // namespace
}  // namespace talpo
