// The 戦略 tab: the strategies file beside Talpo.ini written on each change and read back, a bad file left
// alone with the default alone in the list, and the window's comparison against talpo-cli backtest
// --strategies --split over the same season.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <nlohmann/json.hpp>
#include <sstream>

#include "WindowTestSupport.h"
#include "backtest/StrategiesFile.h"
#include "cli/CliBacktest.h"
#include "data/SampleDay.h"
#include "ui/BacktestChoices.h"
#include "ui/BacktestForm.h"
#include "ui/StrategyCompare.h"
#include "ui/StrategyPanel.h"

namespace talpo {
namespace {

using Json = nlohmann::ordered_json;

std::vector<Strategy> WithoutLines(std::vector<Strategy> strategies) {
    for (Strategy& s : strategies) s.Line = 0;
    return strategies;
}

class StrategyPanelTest : public ::testing::Test {
protected:
    test::WindowFixture Fixture;
    std::string File() const { return Fixture.App.ProgramDir + "strategies.toml"; }
};

TEST_F(StrategyPanelTest, EditsAreWrittenBesideTheSettingsAndReadBackAtStart) {
    TStrategyPanel panel;
    panel.Load(Fixture.App.ProgramDir);
    EXPECT_FALSE(std::filesystem::exists(File()));  // nothing changed yet
    panel.AddBtnClick();
    panel.BetChecks[1]->setChecked(false);
    panel.VenueChecks[4]->setChecked(true);  // 東京
    panel.GapBox->setValue(5);
    panel.Runners.From->setValue(10);
    panel.MonthChecks[4]->setChecked(true);  // 5月
    EXPECT_EQ(test::ReadBytes(File()), R"(# TALPO の戦略（talpo-cli backtest --strategies でも読めます）

[[strategy]]
name = "TALPOの買い目すべて"

[[strategy]]
name = "新しい戦略"
bets = ["win", "bracket_quinella", "quinella"]
[strategy.when]
venue = ["東京"]
runners = [10, 99]
month = [5]
index_gap = [5, 999]
)");
    TStrategyPanel again;
    again.Load(Fixture.App.ProgramDir);
    EXPECT_EQ(WithoutLines(again.Strategies()), WithoutLines(panel.Strategies()));
    ASSERT_EQ(again.List->count(), 2);
    EXPECT_EQ(again.List->item(1)->text().toStdString(), "新しい戦略");
    EXPECT_TRUE(Fixture.Errors.empty());
}

TEST_F(StrategyPanelTest, ABadFileIsLeftAloneAndTheDefaultStartsAlone) {
    const std::string bad = "[[strategy]]\nname = \"x\"\nbets = [\"exacta\"]\n";
    test::WriteBytes(File(), bad);
    TStrategyPanel panel;
    panel.Load(Fixture.App.ProgramDir);
    ASSERT_EQ(Fixture.Errors.size(), 1u);
    EXPECT_EQ(Fixture.Errors[0].substr(0, File().size() + 3), File() + ":3:");
    EXPECT_EQ(WithoutLines(panel.Strategies()), std::vector<Strategy>{DefaultStrategy()});
    EXPECT_EQ(test::ReadBytes(File()), bad);
    // The first change keeps the refused file aside before writing the list in its place.
    panel.AddBtnClick();
    EXPECT_EQ(test::ReadBytes(File() + ".bad"), bad);
    EXPECT_EQ(ReadStrategies(File()).size(), 2u);
}

struct Season {
    test::TempDir Dir;
    std::vector<std::string> Inputs;
    std::vector<std::string> Results;
    explicit Season(int days) {
        for (int k = 0; k < days; ++k) {
            const SampleDay day = MakeSampleDay({.Seed = std::uint64_t(k + 1), .Day = 3 + 7 * k});
            const std::string name = "d" + std::to_string(k);
            std::filesystem::create_directory(Dir.File(name));
            test::WriteBytes(Dir.File(name + "/rdx_den.dat"), day.Den);
            test::WriteBytes(Dir.File(name + "/rdx_uma.dat"), day.Uma);
            Inputs.push_back(Dir.File(name));
            Results.push_back(Dir.File(name + ".csv"));
            test::WriteBytes(Results.back(), MakeSampleResults(day, std::uint64_t(k + 7)));
        }
    }
};

const char* const kFour = R"([[strategy]]
name = "◎単勝"
bets = ["win"]

[[strategy]]
name = "◎単勝・指数差5以上"
bets = ["win"]
[strategy.when]
index_gap = [5, 999]

[[strategy]]
name = "馬連・芝・10頭以上"
bets = ["quinella"]
pairs = 3
[strategy.when]
surface = ["芝"]
runners = [10, 18]
)";

// The numbers behind a part's cells, from the command's JSON of the same part. columns: those of レース,
// 回収率 and 95%範囲.
void ExpectPart(const QTableWidget& grid, int row, std::array<int, 3> columns, const Json& races,
                const Json& total, const std::string& where) {
    const auto value = [&](std::size_t k) {
        return grid.item(row, columns[k])->data(Qt::UserRole).toDouble();
    };
    EXPECT_EQ(value(0), races.get<double>()) << where;
    EXPECT_EQ(value(1), total["recovery_rate"].get<double>()) << where;
    EXPECT_EQ(value(2), total["recovery_ci"][0].get<double>()) << where;
}

// Through the window: its run keeps the races, the imported strategies and the split re-score them.
TEST_F(StrategyPanelTest, TheWindowsComparisonHasTheCommandsFiguresForTheExportedFile) {
    const Season season(3);
    test::WriteBytes(season.Dir.File("four.toml"), kFour);
    TBacktestFormHooks hooks;
    hooks.Strategies.ChooseOpenFile = [&](QWidget*, const QString&, const QString&) {
        return std::optional(season.Dir.File("four.toml"));
    };
    hooks.Strategies.ChooseSaveFile = [&](QWidget*, const QString&, const QString&) {
        return std::optional(season.Dir.File("out.toml"));
    };
    TBacktestForm form(nullptr, hooks, TBacktestSetup{nullptr, {}, {}, Fixture.App.IniPath(), {}});
    form.Choices().AddDays(season.Inputs);
    form.Choices().AddResults(season.Results);
    QSignalSpy finished(&form, &TBacktestForm::RunFinished);
    form.RunBtnClick();
    ASSERT_TRUE(finished.wait(60000));
    TStrategyPanel& panel = *form.StrategyPanel1;
    panel.ImportBtnClick();
    panel.ExportBtnClick();
    ASSERT_EQ(panel.List->count(), 4);
    std::ostringstream out, err;
    cli::Reporter report(err, true, false);
    const std::string json = season.Dir.File("cli.json");
    ASSERT_EQ(cli::RunBacktest(
                  {season.Inputs, season.Results, 100, {}, json, {}, season.Dir.File("out.toml"), "19980510"},
                  report, out, false),
              0)
        << err.str();
    const Json doc = Json::parse(test::ReadBytes(json));
    const QTableWidget& grid = *form.CompareView->Grid;
    const auto strategy = [&doc](int r) -> const Json& {
        return doc["strategies"][static_cast<std::size_t>(r)];
    };
    ASSERT_EQ(grid.rowCount(), 4);
    ASSERT_EQ(grid.columnCount(), 11);
    for (int r = 0; r < 4; ++r) {
        const Json& total = strategy(r)["bet_types"]["total"];
        EXPECT_EQ(grid.item(r, 0)->text().toStdString(), strategy(r)["name"]);
        EXPECT_EQ(grid.item(r, 2)->text().toStdString(), std::to_string(total["hits"].get<int>()) + "/" +
                                                             std::to_string(total["tickets"].get<int>()));
        EXPECT_EQ(grid.item(r, 6)->data(Qt::UserRole).toDouble(), total["profit"].get<double>());
        ExpectPart(grid, r, {1, 7, 8}, strategy(r)["races"], total, strategy(r)["name"]);
    }

    panel.SplitCheck->setChecked(true);
    EXPECT_EQ(panel.Split(), "19980510");  // the middle day of three
    ASSERT_EQ(grid.columnCount(), 11);
    EXPECT_EQ(grid.horizontalHeaderItem(5)->text().toStdString(), "前レース");
    for (int r = 0; r < 4; ++r) {
        const Json& j = strategy(r);
        const std::string name = j["name"];
        ExpectPart(grid, r, {1, 3, 4}, j["races"], j["bet_types"]["total"], name);
        ExpectPart(grid, r, {5, 6, 7}, j["before"]["races"], j["before"]["bet_types"]["total"],
                   name + " before");
        ExpectPart(grid, r, {8, 9, 10}, j["from"]["races"], j["from"]["bet_types"]["total"], name + " from");
    }
}

}  // namespace
}  // namespace talpo
