// The results window on a synthetic season (day folders and an archive, each with its results): the tables
// as the window reads them, the CSV of the command line, a line per bet type and the total; figures that
// never outlive their lists; saves with their extension, in the output folder, never over an input; the
// folder walk and its refusals; the stake check and the keys; and the window opened from the prediction
// window, tied to it, its day named and kept when that window lets its files go.
#include <gtest/gtest.h>

#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChartView>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QWindow>
#include <nlohmann/json.hpp>
#include <semaphore>
#include <sstream>

#include "WindowTestSupport.h"
#include "YosoFormTestBase.h"
#include "cli/CliBacktest.h"
#include "data/SampleDay.h"
#include "ui/BacktestChoices.h"
#include "ui/BacktestForm.h"
#include "ui/FigureGrid.h"
#include "ui/PathList.h"

namespace talpo {
namespace {

using Json = nlohmann::ordered_json;
using Cells = std::vector<std::string>;

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

Cells Row(const QTableWidget* grid, int row) {
    Cells cells;
    for (int c = 0; c < grid->columnCount(); ++c) cells.push_back(grid->item(row, c)->text().toStdString());
    return cells;
}

// What a save dialog was asked and what it answered.
struct SaveAnswer {
    std::string Path;
    int Filter = 0;
    std::string Suggested;
    TBacktestFormHooks Hooks() {
        TBacktestFormHooks hooks;
        hooks.ChooseSaveFile = [this](QWidget*, const QString&, const QString& suggested,
                                      const QStringList&) {
            Suggested = suggested.toStdString();
            return std::optional(TSaveChoice{Path, Filter});
        };
        return hooks;
    }
};

class BacktestFormTest : public ::testing::Test {
protected:
    // A window with its lists, its output folder the season's.
    std::unique_ptr<TBacktestForm> Window(const Season& season, TBacktestFormHooks hooks = {}) {
        const std::string dir = season.Dir.Dir();
        auto form = std::make_unique<TBacktestForm>(
            nullptr, std::move(hooks),
            TBacktestSetup{nullptr, [dir] { return dir + "in/"; }, [dir] { return dir; }, {}, {}});
        form->Choices().AddDays(season.Inputs);
        form->Choices().AddResults(season.Results);
        return form;
    }
    void RunToEnd(TBacktestForm& form) {
        QSignalSpy finished(&form, &TBacktestForm::RunFinished);
        form.RunBtnClick();
        ASSERT_TRUE(finished.wait(kWaitMs));
    }

    test::WindowFixture Fixture;
};

TEST_F(BacktestFormTest, TablesReadAsTheWindowShowsThemAndTheCsvIsTheCommandLines) {
    const Season season(3);
    SaveAnswer answer{season.Dir.File("window"), 0, {}};
    const auto form = Window(season, answer.Hooks());
    form->StakeBox->setValue(300);
    RunToEnd(*form);
    ASSERT_TRUE(Fixture.Errors.empty()) << Fixture.Errors.front();

    EXPECT_EQ(Row(form->TypeGrid, 0),
              (Cells{"単勝", "20/65", "30.8%", "19,500", "15,240", "-4,260", "78.2%", "80.0%", "9"}));
    EXPECT_EQ(Row(form->TypeGrid, 4),
              (Cells{"合計", "171/761", "22.5%", "228,300", "219,600", "-8,700", "96.2%", "-", "1"}));
    EXPECT_EQ(Row(form->MarkGrid, 0), (Cells{"◎", "65", "30.8%", "66.2%", "78.2%", "90.3%"}));
    // Venues in the national course order, months as they are read, the total of each group in bold.
    EXPECT_EQ(Row(form->VenueGrid, 0)[0], "東京");
    EXPECT_EQ(Row(form->VenueGrid, 5),
              (Cells{"京都", "単勝", "14/34", "41.2%", "10,200", "11,220", "1,020", "110.0%", "80.0%", "5"}));
    EXPECT_TRUE(form->VenueGrid->item(9, 2)->font().bold());
    EXPECT_EQ(Row(form->MonthGrid, 4),
              (Cells{"", "合計", "171/761", "22.5%", "228,300", "219,600", "-8,700", "96.2%", "-", "1"}));
    EXPECT_EQ(Row(form->MonthGrid, 0)[0], "1998年5月");
    EXPECT_EQ(form->TypeGrid->horizontalHeaderItem(8)->toolTip().toStdString(),
              "当たりの無いレースが続いた最も長い数（レースで数えます）");

    // The CSV of --csv behind a byte-order mark, the extension added; or Shift_JIS in Japanese.
    const CliFigures cli(season, 300);
    form->SaveCsvBtnClick();
    EXPECT_EQ(test::ReadBytes(season.Dir.File("window.csv")), "\xEF\xBB\xBF" + cli.Csv);
    answer = {season.Dir.File("excel.csv"), 1, {}};
    form->SaveCsvBtnClick();
    const std::string excel = test::ReadBytes(season.Dir.File("excel.csv"));
    EXPECT_EQ(excel.substr(0, excel.find("\r\n", excel.find("\r\n") + 2) + 2),
              Sj("入力,日付,場,レース,券種,組番,投資,払戻,結果\r\n") + season.Inputs[0] +
                  Sj(",19980503,東京,1,単勝,11,300,0,不的中\r\n"));
}

TEST_F(BacktestFormTest, ChartsDrawTheNumbersWithTheTablesTexts) {
    const Season season(2);
    const auto form = Window(season);
    RunToEnd(*form);
    const CliFigures cli(season, 100);
    const int scored = cli.Doc["scored_races"];
    ASSERT_GT(scored, 0);

    QStringList names;
    double total = 0;
    for (QAbstractSeries* series : form->ProfitChart->chart()->series()) {
        const auto* line = qobject_cast<QLineSeries*>(series);
        if (line == nullptr || line->count() == 2) continue;  // the zero line
        names << line->name();
        EXPECT_EQ(line->count(), scored) << line->name().toStdString();
        if (line->name() == "合計") total = line->at(scored - 1).y();
    }
    EXPECT_EQ(names, QStringList({"単勝", "複勝", "枠連", "馬連", "合計"}));
    EXPECT_EQ(total, cli.Doc["bet_types"]["total"]["profit"].get<double>());
    auto* yen = qobject_cast<QCategoryAxis*>(form->ProfitChart->chart()->axes(Qt::Vertical).front());
    ASSERT_NE(yen, nullptr);
    EXPECT_EQ(yen->categoriesLabels(),
              QStringList({"-6,000", "-4,000", "-2,000", "0", "2,000", "4,000", "6,000"}));

    // Bars at the rates themselves, labelled as the tables give them; the break-even line labelled.
    const auto* bars = qobject_cast<QBarSeries*>(form->RecoveryChart->chart()->series().front());
    ASSERT_NE(bars, nullptr);
    EXPECT_DOUBLE_EQ(bars->barSets().front()->at(0),
                     cli.Doc["bet_types"]["win"]["recovery_rate"].get<double>() * 100);
    QStringList texts;
    for (QGraphicsItem* item : form->RecoveryChart->chart()->childItems())
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item)) texts << text->text();
    EXPECT_EQ(texts, QStringList({"損益分岐 100%", "80.7%", "90.4%", "80.6%", "95.0%", "92.1%"}));
    auto* percent = qobject_cast<QCategoryAxis*>(form->RecoveryChart->chart()->axes(Qt::Vertical).front());
    ASSERT_NE(percent, nullptr);
    EXPECT_EQ(percent->categoriesLabels(), QStringList({"0%", "20%", "40%", "60%", "80%", "100%", "120%"}));
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
        return inner_.DayStarting(day, dayCount, input);
    }
    void Warning(const std::string& text) override { inner_.Warning(text); }
    void DayFailed(const std::string& text) override { inner_.DayFailed(text); }

    static inline std::binary_semaphore Reached{0};
    static inline std::binary_semaphore Proceed{0};

private:
    ISeasonListener& inner_;
};

TEST_F(BacktestFormTest, FiguresNeverOutliveTheirLists) {
    const Season season(4);
    bool gated = false;
    TBacktestFormHooks hooks;
    hooks.Run = [&](const SeasonOptions& options, ISeasonListener& listener) {
        if (!gated) return RunSeason(options, listener);
        GateListener gate(listener);
        return RunSeason(options, gate);
    };
    const auto form = Window(season, hooks);
    const auto shown = [&form] {
        return form->Shown() != nullptr && form->TypeGrid->rowCount() == 5 && form->SaveCsvBtn->isEnabled();
    };
    RunToEnd(*form);
    EXPECT_TRUE(shown());

    // Lists changed since: the figures say so and cannot be saved, until the lists are those of the run.
    form->StakeBox->setValue(200);
    EXPECT_TRUE(form->StaleNote->isVisibleTo(form.get()));
    EXPECT_FALSE(form->SaveCsvBtn->isEnabled());
    form->StakeBox->setValue(100);
    EXPECT_FALSE(form->StaleNote->isVisibleTo(form.get()));
    EXPECT_TRUE(shown());

    // A stopped run clears them.
    gated = true;
    QSignalSpy finished(form.get(), &TBacktestForm::RunFinished);
    form->RunBtnClick();
    ASSERT_TRUE(GateListener::Reached.try_acquire_for(std::chrono::milliseconds(kWaitMs)));
    EXPECT_FALSE(form->RunBtn->isEnabled());
    EXPECT_FALSE(form->SaveCsvBtn->isEnabled());
    form->CancelBtn->click();
    GateListener::Proceed.release();
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_EQ(form->Shown(), nullptr);
    EXPECT_EQ(form->TypeGrid->rowCount(), 0);
    EXPECT_FALSE(form->SaveCsvBtn->isEnabled());
    EXPECT_EQ(form->StatusLabel->text().toStdString(), "中止しました（2日目の前）");
    EXPECT_TRUE(form->RunBtn->isEnabled());

    // So does a refused results file, after a run that went to its end.
    gated = false;
    RunToEnd(*form);
    EXPECT_TRUE(shown());
    const std::string bad = season.Dir.File("bad.csv");
    test::WriteBytes(bad, "date,venue,race,type,combination,payout\n19980503,東京,1,単勝,3,abc\n");
    form->Choices().AddResults({bad});
    RunToEnd(*form);
    ASSERT_EQ(Fixture.Errors.size(), 1u);
    EXPECT_EQ(Fixture.Errors[0].rfind(bad + ":2: ", 0), 0u) << Fixture.Errors[0];
    EXPECT_EQ(form->Shown(), nullptr);
    EXPECT_EQ(form->TypeGrid->rowCount(), 0);
    EXPECT_FALSE(form->SaveCsvBtn->isEnabled());
    EXPECT_EQ(form->StatusLabel->text().toStdString(), "集計できませんでした");
}

TEST_F(BacktestFormTest, SavesTakeTheirExtensionInTheOutputFolderAndNeverGoOverAnInput) {
    const Season season(1);
    SaveAnswer answer{season.Dir.File("recovery"), 0, {}};
    const auto form = Window(season, answer.Hooks());
    RunToEnd(*form);

    // A chart only from a chart's tab.
    EXPECT_FALSE(form->SavePngBtn->isEnabled());
    form->Tabs->setCurrentWidget(form->RecoveryChart);
    EXPECT_TRUE(form->SavePngBtn->isEnabled());
    form->SavePngBtnClick();
    EXPECT_EQ(answer.Suggested, season.Dir.File("回収率_19980503.png"));
    EXPECT_EQ(test::ReadBytes(season.Dir.File("recovery.png")).substr(0, 4), "\x89PNG");
    EXPECT_EQ(form->StatusBar1->currentMessage().toStdString(),
              "保存しました: " + season.Dir.File("recovery.png"));

    answer.Path = season.Results[0];
    const std::string results = test::ReadBytes(season.Results[0]);
    form->SaveCsvBtnClick();
    EXPECT_EQ(answer.Suggested, season.Dir.File("成績_19980503.csv"));
    ASSERT_EQ(Fixture.Errors.size(), 1u);
    EXPECT_EQ(Fixture.Errors[0], "保存先 " + season.Results[0] + " は成績ファイル " + season.Results[0] +
                                     " と同じファイルです。別の名前で保存してください。");
    EXPECT_EQ(test::ReadBytes(season.Results[0]), results);
}

TEST_F(BacktestFormTest, AFolderAddsEveryDayUnderItAndWhatHoldsNoDayIsRefusedAtOnce) {
    const Season season(3);
    std::string asked;
    std::vector<std::string> files;
    TBacktestFormHooks hooks;
    hooks.ChooseFolder = [&](QWidget*, const QString&, const QString& folder) {
        asked = folder.toStdString();
        return std::optional(season.Dir.Dir());
    };
    hooks.ChooseFiles = [&](QWidget*, const QString&, const QString& folder, const QString&) {
        asked = folder.toStdString();
        return files;
    };
    const std::string dir = season.Dir.Dir();
    TBacktestForm form(nullptr, hooks, TBacktestSetup{nullptr, [dir] { return dir + "d0/"; }, {}, {}, {}});

    form.AddFolderBtnClick();
    EXPECT_EQ(asked, dir + "d0/");
    form.AddFolderBtnClick();
    EXPECT_EQ(form.DayList->count(), 3);
    EXPECT_EQ(form.DayCount->text().toStdString(), "3日");

    std::string box;
    files = {season.Results[0]};
    test::CloseNextMessageBox(box);
    form.AddArchiveBtnClick();
    EXPECT_EQ(box, season.Results[0] + " は LZH ファイルではありません");
    EXPECT_EQ(form.DayList->count(), 3);
    files = {season.Inputs[2]};
    test::CloseNextMessageBox(box);
    form.AddResultsBtnClick();
    EXPECT_EQ(box, season.Inputs[2] + " は LZH ファイルです。成績ファイルは CSV です");
    files = season.Results;
    form.AddResultsBtnClick();
    EXPECT_EQ(form.ResultCount->text().toStdString(), "3ファイル");

    // Delete removes the entries selected.
    form.DayList->item(0)->setSelected(true);
    QTest::keyClick(form.DayList, Qt::Key_Delete);
    EXPECT_EQ(form.DayCount->text().toStdString(), "2日");

    // The same day again as its archive: the run stops before scoring it.
    const std::string archive = season.Dir.File("again.lzh");
    test::WriteBytes(archive, test::StoredLzhArchive(
                                  {{"rdx_den.dat", test::ReadBytes(season.Inputs[1] + "/rdx_den.dat")},
                                   {"rdx_uma.dat", test::ReadBytes(season.Inputs[1] + "/rdx_uma.dat")}}));
    form.Choices().AddDays({archive});
    RunToEnd(form);
    ASSERT_EQ(Fixture.Errors.size(), 1u);
    EXPECT_NE(Fixture.Errors[0].find("(" + season.Inputs[1] + ", " + archive + ")"), std::string::npos)
        << Fixture.Errors[0];
}

TEST_F(BacktestFormTest, AStakeNotInHundredsIsShownAtOnceAndEnterRuns) {
    const Season season(1);
    const auto form = Window(season);
    form->StakeBox->setValue(150);
    EXPECT_TRUE(form->StakeErrorLabel->isVisibleTo(form.get()));
    EXPECT_EQ(form->StakeErrorLabel->text().toStdString(),
              "1点あたりの金額は 100 円単位で、1,000,000 円までです");
    EXPECT_FALSE(form->RunBtn->isEnabled());
    EXPECT_EQ(form->StakeBox->value(), 150);
    form->StakeBox->setValue(200);
    EXPECT_FALSE(form->StakeErrorLabel->isVisibleTo(form.get()));
    EXPECT_TRUE(form->RunBtn->isEnabled());

    QSignalSpy finished(form.get(), &TBacktestForm::RunFinished);
    QTest::keyClick(form->StakeBox, Qt::Key_Return);
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_EQ(form->Shown()->Run.Summary.Stake, 200);

    form->Open();
    QApplication::setActiveWindow(form.get());
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}

class BacktestFormFromThePredictionWindow : public test::YosoFormTestBase {};

TEST_F(BacktestFormFromThePredictionWindow, IsTiedToItNamesTheDayAndKeepsItWhenItsFilesGo) {
    TBacktestChoices shared;
    f.App.BacktestChoices = &shared;
    test::UiDay day;
    day.AddRace(8);
    OpenDay(day);
    form->findChild<QAction*>("BacktestMenu")->trigger();
    auto* window = form->findChild<TBacktestForm*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->windowHandle()->transientParent(), form->windowHandle());
    EXPECT_EQ(window->windowModality(), Qt::NonModal);
    EXPECT_LE((window->geometry().center() - form->geometry().center()).manhattanLength(), 4);
    ASSERT_EQ(window->DayList->count(), 1);
    EXPECT_EQ(window->DayList->item(0)->text().toStdString(), "東京 1998/05/24");
    // The start window's results window shows the same lists.
    TBacktestForm other(nullptr, {}, TBacktestSetup{&shared, {}, {}, {}, {}});
    EXPECT_EQ(other.DayList->item(0)->text().toStdString(), "東京 1998/05/24");

    const TYosoRace& race = form->Day()->Yoso->Race(0);
    const std::string results = f.Temp.File("results.csv");
    test::WriteBytes(results, "date,venue,race,type,combination,payout\n19980524,東京," +
                                  TrimBlanks(race.RaceNo.Get()) + ",単勝,1,250\n");
    other.Choices().AddResults({results});
    // Closing the prediction window deletes the day's files and closes the window tied to it; the day
    // stays listed, and is scored from memory.
    form->close();
    EXPECT_FALSE(std::filesystem::exists(f.App.InputDir + "rdx_den.dat"));
    EXPECT_FALSE(window->isVisible());
    QSignalSpy finished(&other, &TBacktestForm::RunFinished);
    other.RunBtnClick();
    ASSERT_TRUE(finished.wait(kWaitMs));
    EXPECT_TRUE(f.Errors.empty()) << f.Errors.front();
    ASSERT_NE(other.Shown(), nullptr);
    EXPECT_EQ(other.Shown()->Run.Summary.Counts.ScoredRaces, 1);
}

}  // namespace
}  // namespace talpo
