// The start window: the two folders, extraction of a day's archive, the start of a prediction, the results
// window and quit.
// It is the program's main window: closing it stores both folders in Talpo.ini and ends the program.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "archive/Unlha.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace talpo {

struct TShellContext;
class TDirDlg;
class TBacktestForm;
class TBacktestChoices;

// The parts of the start window that talk to the user or to the archive library; tests put in their own.
// An empty member keeps the real one.
struct TMainFormHooks {
    // The open dialog: the chosen archive (file-system path), or nothing when cancelled.
    std::function<std::optional<std::string>(QWidget* parent, const QString& title, const QString& folder,
                                             const QString& filter)>
        ChooseArchive;
    // Shows the directory dialog modally; true when it was closed with OK.
    std::function<bool(TDirDlg& dialog)> RunDirDialog;
    // The extraction of a day's archive into the input folder (archive/Unlha.h's ExtractDayArchive).
    std::function<ExtractResult(const std::string& archiveFs, const std::string& inputDirFs,
                                const FolderLock::Waiting& waiting)>
        Extract;
    // A warning box with a single OK button.
    std::function<void(QWidget* parent, const QString& caption, const QString& text)> Warn;
    // An information box with a single OK button.
    std::function<void(QWidget* parent, const QString& caption, const QString& text)> Inform;
};

class TMainForm : public QWidget {
    Q_OBJECT

public:
    // Creating the window runs FormCreate: splash, ProgramDir, Talpo.ini, the pause of two seconds.
    explicit TMainForm(TShellContext& app, TMainFormHooks hooks = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The pause that keeps the windows alive (the context's Wait).
    void Wait(int milliseconds);

    // Event handlers, public so that tests and the entry sequence can run them as a click would.
    void BtnInDirClick(QObject* sender);  // BtnInDir and BtnOutDir
    void Button1Click();                  // extract
    void Button2Click();                  // predict
    void Button3Click();                  // quit
    void Button4Click();                  // the results window

signals:
    // The window has closed and stored the folders: the program ends.
    void ProgramEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void FormCreate();
    void ReadSettings();
    void FormCloseQuery();
    // Sets a folder (file-system bytes, ending in "/") and shows it in its field.
    void SetFolder(QLineEdit* field, const std::string& folder);

    TShellContext& app_;
    TMainFormHooks hooks_;
    bool centred_ = false;
    // The two folders exactly as the file system names them; the fields show them as text.
    std::string inDir_;
    std::string outDir_;
    // Where the last archive was chosen: the open dialog starts there (empty: the input folder).
    std::string archiveDir_;
    // False when the settings file could not be made: the user was told, and quitting writes nothing.
    bool settingsKept_ = true;
    // Used when the entry sequence has made no shared lists (tests).
    std::unique_ptr<TBacktestChoices> ownBacktestChoices_;
    // Made when first asked for.
    std::unique_ptr<TBacktestForm> backtestForm_;

    QLabel* version_ = nullptr;
    QLabel* rights_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
    QPushButton* button3_ = nullptr;
    QPushButton* button4_ = nullptr;
    QGroupBox* groupBox1_ = nullptr;
    QLineEdit* inDirDisp_ = nullptr;
    QLineEdit* outDirDisp_ = nullptr;
    QPushButton* btnInDir_ = nullptr;
    QPushButton* btnOutDir_ = nullptr;
};

}  // namespace talpo
