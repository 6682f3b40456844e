// The results window (成績集計): which days and which results files, the stake, and the back-test of them
// run by a worker on a thread of its own while the window stays live, then the figures as tables and
// charts, the tickets saved as CSV and a chart as PNG. The figures shown are always those of the lists and
// the stake shown: a run that fails or is stopped clears them, and lists changed since a run mark them and
// stop them from being saved. Opened from the start window as a window of its own, and from the prediction
// window tied to it, with its day listed.
#pragma once

#include <QThread>
#include <QWidget>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/BacktestWorker.h"
#include "ui/StrategyPanel.h"

class QChartView;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStatusBar;
class QTabWidget;

namespace talpo {

class TBacktestChoices;
class TFigureGrid;
class THelpWindow;
class TPathList;
class TStrategyCompare;

// A file chosen to save into, and which of the dialog's filters was chosen (counted from 0).
struct TSaveChoice {
    std::string Path;
    int Filter = 0;
};

// The parts of the window that talk to the user through dialogs or run the back-test; tests put in their
// own. An empty member keeps the real one.
struct TBacktestFormHooks {
    SeasonRunner Run;
    // Files to add (file-system paths), the dialog starting in `folder`; none when cancelled.
    std::function<std::vector<std::string>(QWidget* parent, const QString& title, const QString& folder,
                                           const QString& filter)>
        ChooseFiles;
    // A folder to add, or nothing.
    std::function<std::optional<std::string>(QWidget* parent, const QString& title, const QString& folder)>
        ChooseFolder;
    // The file to save into, the dialog starting at the suggested path, or nothing.
    std::function<std::optional<TSaveChoice>(QWidget* parent, const QString& title, const QString& suggested,
                                             const QStringList& filters)>
        ChooseSaveFile;
    // The 戦略 tab's dialogs.
    TStrategyPanelHooks Strategies;
};

// What the window takes from the program.
struct TBacktestSetup {
    // The program's lists and stake, shared by its results windows; nullptr: the window keeps its own.
    TBacktestChoices* Choices = nullptr;
    // Folders in the file system's encoding, ending in "/": where the LZH dialog and the save dialogs start.
    std::function<std::string()> InputDir;
    std::function<std::string()> OutputDir;
    // Talpo.ini, where the window keeps its size and place; empty: they are not kept.
    std::string SettingsFile;
    // The help file F1 opens at its results section.
    std::string HelpFile;
};

class TBacktestForm : public QWidget {
    Q_OBJECT

public:
    // owner: the prediction window, which the window is then tied to, centred over it at each opening.
    explicit TBacktestForm(QWidget* owner = nullptr, TBacktestFormHooks hooks = {},
                           TBacktestSetup setup = {});
    ~TBacktestForm() override;

    // Shows the window where it stood (or over its owner) and brings it to the front.
    void Open();

    TBacktestChoices& Choices() const { return *choices_; }
    bool Running() const { return running_; }
    // The figures shown: of the last run that went to its end, unless a later one failed or was stopped.
    const TBacktestDone* Shown() const { return shown_.get(); }
    // Whether the figures shown are those of the lists and the stake as they stand (and so may be saved).
    bool ShownMatchesChoices() const;

    // Commands; each runs its work under the general error report.
    void AddArchiveBtnClick();
    void AddFolderBtnClick();
    void AddResultsBtnClick();
    void RemoveDayBtnClick();
    void RemoveResultsBtnClick();
    void RunBtnClick();
    void CancelBtnClick();
    void SaveCsvBtnClick();
    void SavePngBtnClick();
    void HelpKeyPress();

    TPathList* DayList = nullptr;
    TPathList* ResultList = nullptr;
    QLabel* DayCount = nullptr;
    QLabel* ResultCount = nullptr;
    QSpinBox* StakeBox = nullptr;
    QLabel* StakeErrorLabel = nullptr;
    QPushButton* RunBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* StatusLabel = nullptr;
    QLabel* StaleNote = nullptr;
    QTabWidget* Tabs = nullptr;
    TFigureGrid* TypeGrid = nullptr;
    TFigureGrid* MarkGrid = nullptr;
    TFigureGrid* VenueGrid = nullptr;
    TFigureGrid* MonthGrid = nullptr;
    QChartView* ProfitChart = nullptr;
    QChartView* RecoveryChart = nullptr;
    TStrategyPanel* StrategyPanel1 = nullptr;
    TStrategyCompare* CompareView = nullptr;
    QCheckBox* ByStrategyCheck = nullptr;  // 推移 and 回収率 per strategy instead of per bet type
    QPushButton* SaveCsvBtn = nullptr;
    QPushButton* SavePngBtn = nullptr;
    QStatusBar* StatusBar1 = nullptr;

signals:
    // A run has ended: to its end, stopped, or refused.
    void RunFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* BuildInputs();
    QWidget* BuildListBox(const char* title, TPathList*& list, QLabel*& count, QWidget* buttons);
    QWidget* BuildDayButtons();
    QWidget* BuildResultButtons();
    QWidget* BuildRunBox();
    QWidget* BuildResults();
    void BuildKeys();
    void OrderTabs();

    void ShowChoices();
    void AddDaysTold(const std::vector<std::string>& paths);
    void AddResultsTold(const std::vector<std::string>& paths);
    void WarnRefused(const std::vector<std::string>& refused);
    void SetRunning(bool running);
    void UpdateSaving();
    void ShowProgress(int day, int dayCount, const QString& input);
    void RunDone(const TBacktestDone& done);
    void RunStopped(int day);
    void RunFailed(const std::exception_ptr& error);
    void EndRun();
    void ShowFigures(const TBacktestDone& done);
    void ClearFigures();
    void ShowCharts();
    void Rescore();
    bool StrategyTab() const;
    void TellAfterRun(const TBacktestDone& done);
    void StopWorker();

    std::string SuggestedPath(const char* utf8Prefix, const char* extension) const;
    void SaveOutsideInputs(const std::string& path, const std::string& bytes) const;
    void TellSaved(const std::string& path);

    void Place();
    void KeepPlace();

    TBacktestFormHooks hooks_;
    TBacktestSetup setup_;
    QWidget* owner_;
    // The window's own lists, when the program gives it none.
    std::unique_ptr<TBacktestChoices> ownChoices_;
    TBacktestChoices* choices_;
    // What a run must not change while it goes: the lists with their buttons, and the stake.
    std::vector<QWidget*> choiceWidgets_;
    QThread thread_;
    std::unique_ptr<TBacktestWorker> worker_;
    bool running_ = false;
    std::unique_ptr<TBacktestDone> shown_;
    std::unique_ptr<THelpWindow> help_;
    bool placed_ = false;
};

}  // namespace talpo
