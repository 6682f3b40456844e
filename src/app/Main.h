// The start window: the two folders, extraction of a day's archive, the start of a prediction and quit.
// It is the program's main window: closing it stores both folders in Talpo.ini and ends the program.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace talpo {

struct TShellContext;
class TDirDlg;

// The parts of the start window that talk to the user or to the archive library; tests put in their own.
// An empty member keeps the real one.
struct TMainFormHooks {
    // The open dialog: the chosen archive (file-system path), or nothing when cancelled.
    std::function<std::optional<std::string>(QWidget* parent, const QString& title, const QString& folder,
                                             const QString& filter)>
        ChooseArchive;
    // Shows the directory dialog modally; true when it was closed with OK.
    std::function<bool(TDirDlg& dialog)> RunDirDialog;
    // The archive library's entry point.
    std::function<std::int32_t(void* windowHandle, const char* commandLine, char* outputBuffer,
                               std::uint32_t bufferSize)>
        Unlha;
    // A warning box with a single OK button.
    std::function<void(QWidget* parent, const QString& caption, const QString& text)> Warn;
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

signals:
    // The window has closed and stored the folders: the program ends.
    void ProgramEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void FormCreate();
    void FormCloseQuery();

    TShellContext& app_;
    TMainFormHooks hooks_;
    bool centred_ = false;

    QLabel* version_ = nullptr;
    QLabel* rights_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
    QPushButton* button3_ = nullptr;
    QGroupBox* groupBox1_ = nullptr;
    QLineEdit* inDirDisp_ = nullptr;
    QLineEdit* outDirDisp_ = nullptr;
    QPushButton* btnInDir_ = nullptr;
    QPushButton* btnOutDir_ = nullptr;
};

}  // namespace talpo
