// Pictures of the results window on a synthetic season of 8 days (the season of make demo), for looking at
// by eye and for the README: one per tab, and one while the run is under way.
//   backtest_screenshot <folder>   (under xvfb-run, or any display)
#include <QApplication>
#include <QEventLoop>
#include <QTabWidget>
#include <semaphore>

#include "data/SampleDay.h"
#include "support/TestSupport.h"
#include "ui/BacktestForm.h"

int main(int argc, char** argv) {
    using namespace talpo;
    QApplication qapp(argc, argv);
    const QString out = QString::fromLocal8Bit(argc > 1 ? argv[1] : "/tmp") + "/";

    test::TempDir season;
    std::vector<std::string> days;
    std::vector<std::string> results;
    const int dates[][2] = {{4, 5}, {4, 12}, {4, 19}, {4, 26}, {5, 3}, {5, 10}, {5, 17}, {5, 24}};
    for (int k = 0; k < 8; ++k) {
        const SampleDay day =
            MakeSampleDay({.Seed = std::uint64_t(k + 1), .Month = dates[k][0], .Day = dates[k][1]});
        const std::string name = "1998" + std::to_string(100 + dates[k][0]).substr(1) +
                                 std::to_string(100 + dates[k][1]).substr(1);
        std::filesystem::create_directory(season.File(name));
        test::WriteBytes(season.File(name + "/rdx_den.dat"), day.Den);
        test::WriteBytes(season.File(name + "/rdx_uma.dat"), day.Uma);
        test::WriteBytes(season.File(name + ".csv"), MakeSampleResults(day, std::uint64_t(k + 1)));
        days.push_back(season.File(name));
        results.push_back(season.File(name + ".csv"));
    }

    // The run waits at its fifth day until the picture of it under way is taken.
    class Held final : public ISeasonListener {
    public:
        Held(ISeasonListener& inner, TBacktestForm& form, QString file)
            : inner_(inner), form_(form), file_(file) {}
        bool DayStarting(std::size_t day, std::size_t count, const std::string& input) override {
            const bool go = inner_.DayStarting(day, count, input);
            if (day == 4) {
                QMetaObject::invokeMethod(
                    &form_,
                    [this] {
                        form_.grab().save(file_);
                        shot_.release();
                    },
                    Qt::QueuedConnection);
                shot_.acquire();
            }
            return go;
        }
        void Warning(const std::string& text) override { inner_.Warning(text); }
        void DayFailed(const std::string& text) override { inner_.DayFailed(text); }

    private:
        ISeasonListener& inner_;
        TBacktestForm& form_;
        QString file_;
        std::binary_semaphore shot_{0};
    };
    TBacktestFormHooks hooks;
    TBacktestForm* form = nullptr;
    hooks.Run = [&](const SeasonOptions& options, ISeasonListener& listener) {
        Held held(listener, *form, out + "backtest-running.png");
        return RunSeason(options, held);
    };
    TBacktestForm window(nullptr, hooks);
    form = &window;
    window.AddDays(days);
    window.AddResults(results);
    window.Open();
    QEventLoop loop;
    QObject::connect(&window, &TBacktestForm::RunFinished, &loop, &QEventLoop::quit);
    window.RunBtnClick();
    loop.exec();

    const char* names[] = {"types", "marks", "venues", "months", "profit", "recovery"};
    for (int tab = 0; tab < window.Tabs->count(); ++tab) {
        window.Tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        window.grab().save(out + "backtest-" + names[tab] + ".png");
    }
    return 0;
}
