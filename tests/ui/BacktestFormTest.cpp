// The results window against talpo-cli backtest on the same synthetic season (two day folders and an
// archive, each with its results): the same figures in the tables, the same CSV, a line per bet type over
// the scored races; a run stopped part-way; a refused results file.
#include <gtest/gtest.h>

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <nlohmann/json.hpp>
#include <semaphore>
#include <sstream>

#include "WindowTestSupport.h"
#include "YosoFormTestBase.h"
#include "backtest/BacktestReport.h"
#include "cli/CliBacktest.h"
#include "data/SampleDay.h"
#include "ui/BacktestForm.h"
#include "ui/PathList.h"

namespace talpo {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kWaitMs = 60000;

struct Season {
    test::TempDir Dir;
    std::vector<std::string> Inputs;
    std::vector<std::string> Results;

    explicit Season(int days) {
        for (int k = 0; k < days; ++k) {
            const SampleDay day = MakeSampleDay({.Seed = std::uint64_t(k + 1), .Day = 3 + k});
            const std::string name = "d" + std::to_string(k);
            // Every third day comes as its archive, the others as folders.
            if (k % 3 == 2) {
                Inputs.push_back(Dir.File(name + ".lzh"));
                test::WriteBytes(Inputs.back(), test::StoredLzhArchive(
                                                    {{"rdx_den.dat", day.Den}, {"rdx_uma.dat", day.Uma}}));
            } else {
                std::filesystem::create_directory(Dir.File(name));
                Inputs.push_back(Dir.File(name));
                test::WriteBytes(Dir.File(name + "/rdx_den.dat"), day.Den);
                test::WriteBytes(Dir.File(name + "/rdx_uma.dat"), day.Uma);
            }
            Results.push_back(Dir.File(name + ".csv"));
            test::WriteBytes(Results.back(), MakeSampleResults(day, std::uint64_t(k + 7)));
        }
    }
};

// talpo-cli backtest --json and --csv of the season, in the process.
struct CliFigures {
    Json Doc;
    std::string Csv;
    CliFigures(const Season& s, std::int64_t stake) {
        const std::string json = s.Dir.File("cli.json"), csv = s.Dir.File("cli.csv");
        std::ostringstream out, err;
        cli::Reporter report(err, true, false);
        const int code = cli::RunBacktest(
            {s.Inputs, s.Results, stake, {GroupKey::Venue, GroupKey::Month}, json, csv, {}, {}}, report, out,
            false);
        EXPECT_EQ(code, 0) << err.str();
        Doc = Json::parse(test::ReadBytes(json));
        Csv = test::ReadBytes(csv);
    }
};

std::string Cell(const QTableWidget* grid, int row, int column) {
    return grid->item(row, column)->text().toStdString();
}

// The figures a row of a bet-type table shows, from the JSON.
std::vector<std::string> TypeCells(const Json& f) {
    const auto rate = [](const Json& r) {
        return PercentText(r.is_null() ? std::nullopt : std::optional(r.get<double>()));
    };
    return {std::to_string(f["hits"].get<int>()) + "/" + std::to_string(f["tickets"].get<int>()),
            rate(f["hit_rate"]),
            YenText(f["stake"]),
            YenText(f["return"]),
            YenText(f["profit"]),
            rate(f["recovery_rate"]),
            std::to_string(f["longest_losing_streak"].get<int>())};
}

std::vector<std::string> GridCells(const QTableWidget* grid, int row, int first) {
    std::vector<std::string> cells;
    for (int c : {1, 2, 3, 4, 5, 6, 8}) cells.push_back(Cell(grid, row, first + c - 1));
    return cells;
}

void RunToEnd(TBacktestForm& form) {
    QSignalSpy finished(&form, &TBacktestForm::RunFinished);
    form.RunBtnClick();
    ASSERT_TRUE(finished.wait(kWaitMs));
}

class BacktestFormTest : public ::testing::Test {
protected:
    test::WindowFixture Fixture;
};

TEST_F(BacktestFormTest, TablesAndCsvGiveTheFiguresOfTheCommandLine) {
    const Season season(3);
    std::string saveTo = season.Dir.File("window.csv");
    TBacktestFormHooks hooks;
    hooks.ChooseSaveFile = [&](QWidget*, const QString&, const QString&) { return std::optional(saveTo); };
    TBacktestForm form(nullptr, hooks);
    form.AddDays(season.Inputs);
    form.AddResults(season.Results);
    form.StakeBox->setValue(300);
    RunToEnd(form);
    ASSERT_TRUE(Fixture.Errors.empty()) << Fixture.Errors.front();
    const CliFigures cli(season, 300);

    const char* types[] = {"win", "place", "bracket_quinella", "quinella", "total"};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(GridCells(form.TypeGrid, k, 1), TypeCells(cli.Doc["bet_types"][types[k]])) << types[k];
    int row = 0;
    for (const auto& [mark, m] : cli.Doc["marks"].items()) {
        EXPECT_EQ(Cell(form.MarkGrid, row, 0), mark);
        EXPECT_EQ(Cell(form.MarkGrid, row, 1),
                  std::to_string(std::max(m["win_runs"].get<int>(), m["place_runs"].get<int>())));
        ++row;
    }
    // Venues in the national course order, months as they are read.
    const std::vector<std::pair<std::string, std::string>> venues{{"東京", "東京"}, {"京都", "京都"}};
    const std::vector<std::pair<std::string, std::string>> months{{"1998年5月", "1998-05"}};
    for (const auto& [grid, key, labels] :
         {std::tuple{form.VenueGrid, "by_venue", venues}, std::tuple{form.MonthGrid, "by_month", months}}) {
        ASSERT_EQ(grid->rowCount(), 5 * static_cast<int>(labels.size())) << key;
        row = 0;
        for (const auto& [shown, label] : labels) {
            EXPECT_EQ(Cell(grid, row, 0), shown);
            EXPECT_EQ(GridCells(grid, row + 4, 2), TypeCells(cli.Doc[key][label]["bet_types"]["total"]))
                << label;
            row += 5;
        }
    }
    form.SaveCsvBtnClick();
    EXPECT_EQ(test::ReadBytes(saveTo), cli.Csv);
}

TEST_F(BacktestFormTest, BacktestChartHasALinePerBetTypeWithAPointPerScoredRace) {
    const Season season(2);
    TBacktestForm form;
    form.AddDays(season.Inputs);
    form.AddResults(season.Results);
    RunToEnd(form);
    const CliFigures cli(season, 100);
    const int scored = cli.Doc["scored_races"];
    ASSERT_GT(scored, 0);

    QStringList names;
    for (QAbstractSeries* series : form.ProfitChart->chart()->series()) {
        const auto* line = qobject_cast<QLineSeries*>(series);
        if (line == nullptr || line->count() == 2) continue;  // the zero line
        names << line->name();
        EXPECT_EQ(line->count(), scored) << line->name().toStdString();
    }
    EXPECT_EQ(names, QStringList({"単勝", "複勝", "枠連", "馬連"}));
    // The total's profit at the last race, summed over the four lines, is the JSON's.
    double last = 0;
    for (QAbstractSeries* series : form.ProfitChart->chart()->series())
        if (auto* line = qobject_cast<QLineSeries*>(series); line->count() == scored)
            last += line->at(scored - 1).y();
    EXPECT_EQ(last, cli.Doc["bet_types"]["total"]["profit"].get<double>());
}

// Holds the run at its second day until the test has pressed 中止.
class GateListener final : public ISeasonListener {
public:
    explicit GateListener(ISeasonListener& inner) : inner_(inner) {}
    bool DayStarting(std::size_t day, std::size_t dayCount, const std::string& input) override {
        if (day == 1) {
            Reached.release();
            Proceed.acquire();
        }
        ++Asked;
        return inner_.DayStarting(day, dayCount, input);
    }
    void Warning(const std::string& text) override { inner_.Warning(text); }
    void DayFailed(const std::string& text) override { inner_.DayFailed(text); }

    static inline std::binary_semaphore Reached{0};
    static inline std::binary_semaphore Proceed{0};
    static inline int Asked = 0;

private:
    ISeasonListener& inner_;
};

TEST_F(BacktestFormTest, CancelStopsALongRunAndTheWindowGoesOn) {
    const Season season(6);
    bool gated = true;
    TBacktestFormHooks hooks;
    hooks.Run = [&](const SeasonOptions& options, ISeasonListener& listener) {
        if (!gated) return RunSeason(options, listener);
        GateListener gate(listener);
        return RunSeason(options, gate);
    };
    TBacktestForm form(nullptr, hooks);
    form.AddDays(season.Inputs);
    form.AddResults(season.Results);
    QSignalSpy finished(&form, &TBacktestForm::RunFinished);
    form.RunBtnClick();
    ASSERT_TRUE(GateListener::Reached.try_acquire_for(std::chrono::milliseconds(kWaitMs)));
    EXPECT_FALSE(form.RunBtn->isEnabled());
    form.CancelBtn->click();
    GateListener::Proceed.release();
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_EQ(GateListener::Asked, 2);
    EXPECT_EQ(form.LastRun(), nullptr);
    EXPECT_TRUE(form.RunBtn->isEnabled());
    EXPECT_FALSE(form.CancelBtn->isEnabled());

    gated = false;
    RunToEnd(form);
    ASSERT_NE(form.LastRun(), nullptr);
    EXPECT_EQ(form.LastRun()->Summary.Counts.Days, 6);
}

TEST_F(BacktestFormTest, ARefusedResultsFileShowsItsLine) {
    const Season season(1);
    const std::string bad = season.Dir.File("bad.csv");
    test::WriteBytes(bad, "date,venue,race,type,combination,payout\n19980503,東京,1,単勝,3,abc\n");
    TBacktestForm form;
    form.AddDays(season.Inputs);
    form.AddResults({bad});
    RunToEnd(form);
    ASSERT_EQ(Fixture.Errors.size(), 1u);
    EXPECT_EQ(Fixture.Errors[0].rfind(bad + ":2: ", 0), 0u) << Fixture.Errors[0];
    EXPECT_EQ(form.LastRun(), nullptr);
    EXPECT_TRUE(form.RunBtn->isEnabled());
}

TEST_F(BacktestFormTest, ADayIsListedOnceScoredOnceAndNeverSavedOver) {
    const Season season(1);
    const std::string folder = season.Inputs[0];
    std::string saveTo = season.Results[0];
    TBacktestFormHooks hooks;
    hooks.ChooseSaveFile = [&](QWidget*, const QString&, const QString&) { return std::optional(saveTo); };
    TBacktestForm form(nullptr, hooks);
    form.AddDays({folder, folder + "/", season.Dir.File("d0/../d0")});
    ASSERT_EQ(form.DayList->count(), 1);
    form.AddResults(season.Results);
    RunToEnd(form);
    ASSERT_TRUE(Fixture.Errors.empty()) << Fixture.Errors.front();

    const std::string results = test::ReadBytes(season.Results[0]);
    form.SaveCsvBtnClick();
    saveTo = folder + "/rdx_uma.dat";
    form.SavePngBtnClick();
    ASSERT_EQ(Fixture.Errors.size(), 2u);
    EXPECT_EQ(Fixture.Errors[0], "保存先 " + season.Results[0] + " は成績ファイル " + season.Results[0] +
                                     " と同じファイルです。別の名前で保存してください。");
    EXPECT_EQ(Fixture.Errors[1].rfind("保存先 " + saveTo + " は集計する日のファイル ", 0), 0u)
        << Fixture.Errors[1];
    EXPECT_EQ(test::ReadBytes(season.Results[0]), results);

    // The same day again as its archive: the run stops before scoring it, the lists stay.
    const std::string archive = season.Dir.File("again.lzh");
    test::WriteBytes(archive,
                     test::StoredLzhArchive({{"rdx_den.dat", test::ReadBytes(folder + "/rdx_den.dat")},
                                             {"rdx_uma.dat", test::ReadBytes(folder + "/rdx_uma.dat")}}));
    form.AddDays({archive});
    RunToEnd(form);
    ASSERT_EQ(Fixture.Errors.size(), 3u);
    EXPECT_NE(Fixture.Errors[2].find("同じレースが二つの入力にあります: "), std::string::npos)
        << Fixture.Errors[2];
    EXPECT_NE(Fixture.Errors[2].find("(" + folder + ", " + archive + ")"), std::string::npos)
        << Fixture.Errors[2];
    EXPECT_EQ(form.DayList->count(), 2);
}

class BacktestFormFromThePredictionWindow : public test::YosoFormTestBase {};

TEST_F(BacktestFormFromThePredictionWindow, ListsTheLoadedDayAndStaysOverIt) {
    test::UiDay day;
    day.AddRace(8);
    OpenDay(day);
    form->findChild<QAction*>("BacktestMenu")->trigger();
    const auto* window = form->findChild<TBacktestForm*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowModality(), Qt::WindowModal);
    EXPECT_EQ(window->DayList->Paths(), std::vector<std::string>{f.App.InputDir});
}

}  // namespace
}  // namespace talpo
