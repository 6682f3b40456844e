// What the window builds its strategies on: the strategies written back as a file and read again, the
// window's file loaded at start, the default split date and the verdict on a range.
#include <gtest/gtest.h>

#include "backtest/StrategiesFile.h"
#include "backtest/StrategyReport.h"
#include "common/Cp932.h"
#include "support/TestSupport.h"

namespace talpo {
namespace {

using test::TempDir;

TEST(StrategiesWrite, EveryKeyAndNoneComeBackEqualFromAStableText) {
    Strategy every;
    every.Name = "◎単勝 \"芝\" \\ 10頭\t";
    every.Bets = {true, false, false, true};
    every.Places = 1;
    every.Pairs = 3;
    every.When.Venues = {{Sj("東京"), Sj("中山")}};
    every.When.Surfaces = {{Sj("芝")}};
    every.When.Classes = {{Sj("オープン")}};
    every.When.Distance = IntRange{1600, 2400};
    every.When.Runners = IntRange{10, 18};
    every.When.RaceNo = IntRange{9, 12};
    every.When.Months = std::array<bool, 13>{false, false, false, false, true, true, true};
    every.When.TopIndex = IntRange{80, 999};
    every.When.IndexGap = IntRange{-5, 999};
    Strategy none;
    none.Name = "all";
    const std::string text = StrategiesToml({every, none});
    EXPECT_EQ(text,
              "# TALPO の戦略（talpo-cli backtest --strategies でも読めます）\n"
              "\n"
              "[[strategy]]\n"
              "name = \"◎単勝 \\\"芝\\\" \\\\ 10頭\\u0009\"\n"
              "bets = [\"win\", \"quinella\"]\n"
              "places = 1\n"
              "pairs = 3\n"
              "[strategy.when]\n"
              "venue = [\"東京\", \"中山\"]\n"
              "surface = [\"芝\"]\n"
              "class = [\"オープン\"]\n"
              "distance = [1600, 2400]\n"
              "runners = [10, 18]\n"
              "race_no = [9, 12]\n"
              "month = [4, 5, 6]\n"
              "top_index = [80, 999]\n"
              "index_gap = [-5, 999]\n"
              "\n"
              "[[strategy]]\n"
              "name = \"all\"\n");
    every.Line = 3;
    none.Line = 19;
    EXPECT_EQ(ParseStrategies(text, "s.toml"), (std::vector<Strategy>{every, none}));

    // No bet type at all is a choice too, and a file that would not read back is never written.
    const TempDir dir;
    const std::string path = dir.File("strategies.toml");
    Strategy noBets = none;
    noBets.Bets = {};
    WriteStrategies(path, {noBets});
    noBets.Line = 3;
    EXPECT_EQ(ReadStrategies(path), std::vector<Strategy>{noBets});
    const ETalpoError twice = test::ErrorOf([&] { WriteStrategies(path, {none, none}); });
    EXPECT_STREQ(twice.what(), (path + ":7: 'name' の 'all' は 3 行目の戦略と同じです").c_str());
    EXPECT_EQ(test::ReadBytes(path),
              "# TALPO の戦略（talpo-cli backtest --strategies でも読めます）\n\n"
              "[[strategy]]\nname = \"all\"\nbets = []\n");
}

TEST(StrategiesWrite, TheWindowsFileComesAfterTheDefaultAndABadOneIsOnlyReported) {
    const TempDir dir;
    const std::string path = dir.File("strategies.toml");
    const std::vector<Strategy> alone{DefaultStrategy()};
    EXPECT_EQ(DefaultStrategy().Name, "TALPOの買い目すべて");
    EXPECT_EQ(DefaultStrategy().When, StrategyWhen{});

    LoadedStrategies missing = LoadStrategies(path);
    EXPECT_EQ(missing.Strategies, alone);
    EXPECT_FALSE(missing.Error);

    // The default moves to the front once, whatever the file made of it.
    test::WriteBytes(path,
                     "[[strategy]]\nname = \"a\"\n[[strategy]]\nname = \"TALPOの買い目すべて\"\n"
                     "bets = [\"win\"]\n");
    const LoadedStrategies loaded = LoadStrategies(path);
    ASSERT_EQ(loaded.Strategies.size(), 2u);
    EXPECT_EQ(loaded.Strategies[0], DefaultStrategy());
    EXPECT_EQ(loaded.Strategies[1].Name, "a");
    EXPECT_FALSE(loaded.Error);

    const std::string bad = "[[strategy]]\nname = \"a\"\n\n[strategy.when]\nruners = [10, 18]\n";
    test::WriteBytes(path, bad);
    const LoadedStrategies refused = LoadStrategies(path);
    EXPECT_EQ(refused.Strategies, alone);
    ASSERT_TRUE(refused.Error);
    EXPECT_EQ(refused.Error->Kind(), ErrorKind::Strategies);
    EXPECT_STREQ(refused.Error->what(), (path + ":5: 'runers' は使えない項目です").c_str());
    EXPECT_EQ(test::ReadBytes(path), bad);

    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    const LoadedStrategies folder = LoadStrategies(path);
    EXPECT_EQ(folder.Strategies, alone);
    EXPECT_TRUE(folder.Error);
}

TEST(StrategiesSplit, TheMiddleDateIsTheLaterMiddleOfTheDistinctDays) {
    EXPECT_EQ(MiddleDate(std::vector<std::string>{"19980503", "19980405", "19980426", "19980412", "19980419",
                                                  "19980510", "19980517", "19980524"}),
              "19980503");
    EXPECT_EQ(MiddleDate(std::vector<std::string>{"20240120", "20240101", "20240110"}), "20240110");
    EXPECT_EQ(MiddleDate(std::vector<std::string>{"20240101", "20240101", "20240102"}), "20240102");
    EXPECT_EQ(MiddleDate(std::vector<std::string>{"", "2024-01-01", "20240105"}), "20240105");
    EXPECT_EQ(MiddleDate(std::vector<std::string>{}), "");
}

TEST(StrategiesCompare, TheVerdictSaysWhereTheRangeLiesAgainstEven) {
    using Range = std::optional<std::array<double, 2>>;
    EXPECT_EQ(VerdictOf(Range{{0.9, 1.1}}), RangeVerdict::Chance);
    EXPECT_EQ(VerdictOf(Range{{1.0, 1.3}}), RangeVerdict::Chance);
    EXPECT_EQ(VerdictOf(Range{{0.4, 1.0}}), RangeVerdict::Chance);
    EXPECT_EQ(VerdictOf(Range{{1.001, 1.3}}), RangeVerdict::Above);
    EXPECT_EQ(VerdictOf(Range{{0.0, 0.999}}), RangeVerdict::Below);
    EXPECT_EQ(VerdictOf(std::nullopt), RangeVerdict::NoRange);
    EXPECT_STREQ(VerdictText(RangeVerdict::Chance), "偶然と区別できない");
}

}  // namespace
}  // namespace talpo
