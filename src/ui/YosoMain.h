// The prediction window: it loads and predicts a day when the start window opens it, shows one race at a
// time (header, race card grid, bets grid), pages through the races, saves the bets, and hands back to the
// start window when it is closed. It is created once and serves every day loaded during a run.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "day/TalpoDay.h"
#include "ui/AppContext.h"

class QAction;
class QFrame;
class QLabel;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace talpo {

class TStrColGrid;
class TBacktestChoices;
class TBacktestForm;
class THelpWindow;

class TYosoForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TYosoForm(TAppContext& app, QWidget* parent = nullptr);
    ~TYosoForm() override;

    // Loads the day in app.InputDir with the progress window, writes the enabled bet files when "Auto" is
    // on, shows race 0 and the window. When loading fails, or the day holds no race, it says so and goes
    // back to the start window without showing itself, leaving both data files where they are.
    void Open();

    // Shows the race the two race cursors select. A weight that is not a number is kept for
    // ReportWeightError, not reported here: redrawing the same race brings no box.
    void DispDenma();

    // The loaded day; nullptr while none is.
    TDay* Day() const { return day_.get(); }
    // The files written by the last automatic or requested save, in the order written.
    const std::vector<std::string>& LastWritten() const { return lastWritten_; }

    // Commands; each runs its work under the general error report.
    void NextBtnClick();
    void PriorBtnClick();
    void SaveBtnClick();
    void PrintMenuClick();
    void PdfMenuClick();
    void HelpBtnClick();
    void EndBtnClick();
    void OtherMenuClick();
    void BacktestMenuClick();
    void ToolMenuClick();
    void StatusMenuClick();
    void AboutMenuClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FormCreate();
    bool FormShow();
    void FormKeyDown(int key);
    void FormCloseQuery();
    void FormClose();
    void ShowHint(const QString& hint);
    // Says in the status bar what a save wrote, until the next race or day is brought up.
    void TellSaved(const std::vector<std::string>& written);
    void ShowSaveWord(const QString& text);

    void CreateMenu();
    void CreateToolBar(QWidget* parent);
    void CreateHeader(QWidget* parent);
    void CreateGrids(QWidget* parent);

    void LoadTheDay();
    void AutoSave();
    void WarnDay();
    void WarnLines(const std::vector<std::string>& lines);
    void Unload();
    void CloseBack();
    void Step(int delta);
    // Reports the shown race's weight error, once each time a race is brought up (load, next, prior).
    void ReportWeightError();

    void ShowHeader();
    // Returns the text of the first weight that is not a number, or nothing.
    std::string ShowDenGrid(int runners);
    void ShowYosoGrid(int runners);

    TSaveForm& SaveForm();
    TAboutForm& AboutForm();
    TProgressForm& ProgressForm();

    TAppContext& app_;
    // Shared with the results window, which keeps a day listed from here after this window has let it go.
    std::shared_ptr<TDay> day_;
    std::vector<std::string> lastWritten_;
    // Races the automatic save left out of the RDX file, told with the day's other warnings.
    std::vector<std::string> savedRdxWarnings_;
    // The first weight of the shown race that is not a number, as DispDenma found it; empty when none.
    std::string weightError_;

    // Used when the entry sequence has not made the shared ones (tests, a stand-alone window).
    std::unique_ptr<TSaveForm> ownSaveForm_;
    std::unique_ptr<TAboutForm> ownAboutForm_;
    std::unique_ptr<TProgressForm> ownProgressForm_;
    std::unique_ptr<THelpWindow> helpWindow_;
    std::unique_ptr<TBacktestChoices> ownBacktestChoices_;
    // Tied to this window, which owns it as its Qt parent; made when first asked for.
    TBacktestForm* backtestForm_ = nullptr;

    QToolBar* ToolBar1 = nullptr;
    QToolButton* NextBtn = nullptr;
    QToolButton* PriorBtn = nullptr;
    QToolButton* SaveBtn = nullptr;
    QToolButton* HelpBtn = nullptr;
    QToolButton* EndBtn = nullptr;
    QAction* SaveMenu = nullptr;
    QAction* PrintMenu = nullptr;
    QAction* PdfMenu = nullptr;
    QAction* OtherMenu = nullptr;
    QAction* BacktestMenu = nullptr;
    QAction* ExitMenu = nullptr;
    QAction* ToolMenu = nullptr;
    QAction* StatusMenu = nullptr;
    QAction* ContentsMenu = nullptr;
    QAction* AboutMenu = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* SaveWord = nullptr;

    QLabel* LblYMD = nullptr;
    QLabel* PnlKaisai = nullptr;
    QLabel* PnlHTime = nullptr;
    QLabel* PnlRace = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* LblHondai = nullptr;
    QLabel* LblJoken = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* PnlTosu = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* LblSTimeR = nullptr;
    QLabel* LblSTimeF = nullptr;
    TStrColGrid* DenGrid = nullptr;
    TStrColGrid* YosoGrid = nullptr;
};

}  // namespace talpo
