// The results window (成績集計): which days and which results files, the stake, and the back-test of them
// run on a thread of its own while the window stays live, then the figures as tables and charts, the
// tickets saved as CSV and a chart as PNG. Opened from the start window with no day, and from the
// prediction window with its day listed.
#pragma once

#include <QWidget>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "backtest/BacktestRun.h"

class QChartView;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QThread;

namespace talpo {

class TPathList;

// The parts of the window that talk to the user through dialogs or run the back-test; tests put in their
// own. An empty member keeps the real one.
struct TBacktestFormHooks {
    // Runs the season (backtest/BacktestRun.h's RunSeason), on the window's worker thread.
    std::function<SeasonResult(const SeasonOptions& options, ISeasonListener& listener)> Run;
    // Files to add (file-system paths); none when cancelled.
    std::function<std::vector<std::string>(QWidget* parent, const QString& title, const QString& filter)>
        ChooseFiles;
    // A folder to add, or nothing.
    std::function<std::optional<std::string>(QWidget* parent, const QString& title)> ChooseFolder;
    // The file to save into, or nothing.
    std::function<std::optional<std::string>(QWidget* parent, const QString& title, const QString& filter)>
        ChooseSaveFile;
};

class TBacktestForm : public QWidget {
    Q_OBJECT

public:
    explicit TBacktestForm(QWidget* owner = nullptr, TBacktestFormHooks hooks = {});
    ~TBacktestForm() override;

    // Shows the window; a day's input (folder or archive) is listed when given and not yet there.
    void Open(const std::string& day = {});

    void AddDays(const std::vector<std::string>& paths);
    void AddResults(const std::vector<std::string>& paths);
    bool Running() const { return worker_ != nullptr; }
    // The last run that went to its end; nullptr before one has.
    const SeasonResult* LastRun() const { return shown_.get(); }

    // Commands; each runs its work under the general error report.
    void AddArchiveBtnClick();
    void AddFolderBtnClick();
    void AddResultsBtnClick();
    void RunBtnClick();
    void CancelBtnClick();
    void SaveCsvBtnClick();
    void SavePngBtnClick();

    TPathList* DayList = nullptr;
    TPathList* ResultList = nullptr;
    QSpinBox* StakeBox = nullptr;
    QPushButton* RunBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* StatusLabel = nullptr;
    QTabWidget* Tabs = nullptr;
    QTableWidget* TypeGrid = nullptr;
    QTableWidget* MarkGrid = nullptr;
    QTableWidget* VenueGrid = nullptr;
    QTableWidget* MonthGrid = nullptr;
    QChartView* ProfitChart = nullptr;
    QChartView* RecoveryChart = nullptr;
    QPushButton* SaveCsvBtn = nullptr;
    QPushButton* SavePngBtn = nullptr;

signals:
    // A run has ended: to its end, stopped, or refused.
    void RunFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class Listener;

    QWidget* BuildInputs();
    QWidget* BuildResults();
    void SetRunning(bool running);
    void ShowProgress(std::size_t day, std::size_t dayCount, const std::string& input);
    void WorkDone();
    void Show(std::unique_ptr<SeasonResult> run);
    void StopWorker();
    void SaveOutsideInputs(const std::string& path, const std::string& bytes) const;

    TBacktestFormHooks hooks_;
    // What a run must not change while it goes: the lists with their buttons, and the stake.
    std::vector<QWidget*> choices_;
    std::unique_ptr<QThread> worker_;
    std::atomic<bool> stop_{false};
    // Written by the worker, read once it has ended.
    std::unique_ptr<SeasonResult> run_;
    std::exception_ptr error_;
    std::vector<std::string> dayErrors_;
    int warnings_ = 0;
    std::unique_ptr<SeasonResult> shown_;
};

}  // namespace talpo
