// Pictures of the results window on the synthetic season of make demo (8 days), for looking at by eye and
// for the README, each a grab of the screen around the window with its frame: one per tab after a run, one
// while a run is under way, one after a stopped run, one after a save with its status line, the months at
// 900 × 600, the help at its results section, the strategies compared and charted and their editor, and the
// window opened from the prediction window over it.
//   backtest_screenshot <folder>   (under xvfb-run with a window manager, or any display)
#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QListWidget>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <iostream>
#include <semaphore>

#include "data/SampleDay.h"
#include "support/TestSupport.h"
#include "ui/About.h"
#include "ui/BacktestChoices.h"
#include "ui/BacktestForm.h"
#include "ui/Progress.h"
#include "ui/SaveDlg.h"
#include "ui/StrategyCompare.h"
#include "ui/StrategyPanel.h"
#include "ui/YosoMain.h"

namespace talpo {
namespace {

// Lets the window manager map, frame and place what was shown.
void Settle(int ms = 400) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The screen around the windows, their frames included; the whole screen for none.
void Shot(const QString& file, std::initializer_list<const QWidget*> windows) {
    const QRect screen(QPoint(0, 0), QGuiApplication::primaryScreen()->size());
    QRect area;
    for (const QWidget* w : windows) area = area.united(w->frameGeometry());
    const QPixmap all = QGuiApplication::primaryScreen()->grabWindow(0);
    // The grab counts the screen's own pixels, twice the window's at scale 2.
    const double k = all.devicePixelRatio();
    const QRect shown = area.intersected(screen);
    const QRect pixels(QPoint(qRound(shown.x() * k), qRound(shown.y() * k)), shown.size() * k);
    (windows.size() == 0 ? all : all.copy(pixels)).save(file);
}

struct Season {
    test::TempDir Dir;
    std::vector<std::string> Days;
    std::vector<std::string> Results;
    Season() {
        const int dates[][2] = {{4, 5}, {4, 12}, {4, 19}, {4, 26}, {5, 3}, {5, 10}, {5, 17}, {5, 24}};
        for (int k = 0; k < 8; ++k) {
            const SampleDay day =
                MakeSampleDay({.Seed = std::uint64_t(k + 1), .Month = dates[k][0], .Day = dates[k][1]});
            const std::string name = "1998" + std::to_string(100 + dates[k][0]).substr(1) +
                                     std::to_string(100 + dates[k][1]).substr(1);
            std::filesystem::create_directory(Dir.File(name));
            test::WriteBytes(Dir.File(name + "/rdx_den.dat"), day.Den);
            test::WriteBytes(Dir.File(name + "/rdx_uma.dat"), day.Uma);
            test::WriteBytes(Dir.File(name + ".csv"), MakeSampleResults(day, std::uint64_t(k + 1)));
            Days.push_back(Dir.File(name));
            Results.push_back(Dir.File(name + ".csv"));
        }
    }
};

// Holds the run at a day: for the picture of a run under way, or until 中止 is pressed.
class Held final : public ISeasonListener {
public:
    Held(ISeasonListener& inner, std::size_t at, std::function<void()> there)
        : inner_(inner), at_(at), there_(std::move(there)) {}
    bool DayStarting(std::size_t day, std::size_t count, const std::string& input) override {
        if (day != at_ || !there_) return inner_.DayStarting(day, count, input);
        std::binary_semaphore done{0};
        QMetaObject::invokeMethod(qApp, [this, &done] {
            Settle(200);
            there_();
            done.release();
        });
        done.acquire();
        return inner_.DayStarting(day, count, input);
    }
    void Warning(const std::string& text) override { inner_.Warning(text); }
    void DayFailed(const std::string& text) override { inner_.DayFailed(text); }

private:
    ISeasonListener& inner_;
    std::size_t at_;
    std::function<void()> there_;
};

void Run(TBacktestForm& window) {
    QEventLoop loop;
    QObject::connect(&window, &TBacktestForm::RunFinished, &loop, &QEventLoop::quit);
    window.RunBtnClick();
    loop.exec();
    Settle();
}

// The start window's results window on the season: under way, each tab, a save, a stopped run, the help.
void StartWindowShots(const QString& out, const Season& season) {
    std::function<void()> there;
    std::size_t at = 4;
    TBacktestFormHooks hooks;
    hooks.Run = [&](const SeasonOptions& options, ISeasonListener& listener) {
        Held held(listener, at, there);
        return RunSeason(options, held);
    };
    const std::string saved = season.Dir.File("out/");
    std::filesystem::create_directory(saved);
    hooks.ChooseSaveFile = [&](QWidget*, const QString&, const QString& suggested, const QStringList&) {
        return std::optional(TSaveChoice{saved + QFileInfo(suggested).completeBaseName().toStdString(), 0});
    };
    TBacktestForm window(
        nullptr, hooks,
        TBacktestSetup{
            nullptr, {}, [saved] { return saved; }, {}, TALPO_SAMPLES_DIR "/../docs/talpo.hlp.html"});
    window.Choices().AddDays(season.Days);
    window.Choices().AddResults(season.Results);
    window.Open();
    Settle();
    there = [&] { Shot(out + "backtest-running.png", {&window}); };
    Run(window);
    const char* names[] = {"types", "marks", "venues", "months", "profit", "recovery"};
    for (int tab = 0; tab < static_cast<int>(std::size(names)); ++tab) {
        window.Tabs->setCurrentIndex(tab);
        Settle(150);
        Shot(out + "backtest-" + names[tab] + ".png", {&window});
    }
    window.SavePngBtnClick();
    Settle(150);
    Shot(out + "backtest-saved.png", {&window});

    window.resize(900, 600);
    window.Tabs->setCurrentIndex(3);
    Settle();
    Shot(out + "backtest-months-900x600.png", {&window});
    window.resize(1000, 640);

    at = 2;
    there = [&window] { window.CancelBtnClick(); };
    Run(window);
    Shot(out + "backtest-stopped.png", {&window});

    window.HelpKeyPress();
    Settle();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "HelpWindow" && top->isVisible()) Shot(out + "backtest-help.png", {top});
}

const char* const kFourStrategies = R"([[strategy]]
name = "◎単勝"
bets = ["win"]

[[strategy]]
name = "馬連・芝・10頭以上"
bets = ["quinella"]
pairs = 3
[strategy.when]
surface = ["芝"]
runners = [10, 18]

[[strategy]]
name = "東京・中山の複勝2点"
bets = ["place"]
places = 2
[strategy.when]
venue = ["東京", "中山"]
index_gap = [3, 999]
)";

// The 戦略 tab with strategies from a file: 比較 split at the middle day, 推移 and 回収率 per strategy, and
// the editor of one of them.
void StrategyShots(const QString& out, const Season& season) {
    test::TempDir prog;
    test::WriteBytes(prog.File("four.toml"), kFourStrategies);
    TBacktestFormHooks hooks;
    hooks.Strategies.ChooseOpenFile = [&](QWidget*, const QString&, const QString&) {
        return std::optional(prog.File("four.toml"));
    };
    TBacktestForm window(nullptr, hooks, TBacktestSetup{nullptr, {}, {}, prog.File("Talpo.ini"), {}});
    window.Choices().AddDays(season.Days);
    window.Choices().AddResults(season.Results);
    window.Open();
    // Wide enough for 前 and 後 beside the whole season.
    window.resize(1120, 640);
    Settle();
    Run(window);
    window.StrategyPanel1->ImportBtnClick();
    window.StrategyPanel1->SplitCheck->setChecked(true);
    window.Tabs->setCurrentWidget(window.CompareView);
    Settle(150);
    Shot(out + "backtest-compare.png", {&window});
    window.ByStrategyCheck->setChecked(true);
    window.Tabs->setCurrentWidget(window.ProfitChart);
    Settle(150);
    Shot(out + "backtest-strategy-profit.png", {&window});
    window.Tabs->setCurrentWidget(window.RecoveryChart);
    Settle(150);
    Shot(out + "backtest-strategy-recovery.png", {&window});
    window.StrategyPanel1->List->setCurrentRow(2);
    window.Tabs->setCurrentWidget(window.StrategyPanel1);
    Settle(150);
    Shot(out + "backtest-strategies.png", {&window});
    window.close();
}

// The prediction window on the season's last day, and its results window over it.
void PredictionWindowShots(const QString& out, const Season& season) {
    test::TempDir temp;
    for (const char* file : {"rdx_den.dat", "rdx_uma.dat"})
        test::WriteBytes(temp.File(file), test::ReadBytes(season.Days.back() + "/" + file));
    TProgressForm progress;
    TSaveForm saveForm;
    TAboutForm aboutForm;
    TBacktestChoices choices;
    TAppContext app;
    app.ProgramDir = app.InputDir = app.OutputDir = temp.Dir();
    app.ProgressForm = &progress;
    app.SaveForm = &saveForm;
    app.AboutForm = &aboutForm;
    app.BacktestChoices = &choices;
    app.Wait = [](int) {};
    TYosoForm form(app);
    form.Open();
    Settle();
    form.findChild<QAction*>("BacktestMenu")->trigger();
    Settle();
    auto* window = form.findChild<TBacktestForm*>();
    Shot(out + "backtest-opened-over-prediction.png", {});
    // Moved aside, with the prediction window clicked: that window takes the click, and the results
    // window stays above it.
    form.move(20, 40);
    window->move(330, 150);
    form.raise();
    form.activateWindow();
    Settle();
    Shot(out + "backtest-over-prediction.png", {});
    window->close();
    form.close();
}

}  // namespace
}  // namespace talpo

int main(int argc, char** argv) {
    using namespace talpo;
    QApplication qapp(argc, argv);
    const QString out = QString::fromLocal8Bit(argc > 1 ? argv[1] : "/tmp") + "/";
    const Season season;
    StartWindowShots(out, season);
    StrategyShots(out, season);
    PredictionWindowShots(out, season);
    std::cout << "written to " << out.toStdString() << "\n";
    return 0;
}
