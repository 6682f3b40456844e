// The start window. Every handler runs under the general error report, so a failure ends the handler
// with a message box and the window stays usable.
#include "app/Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <memory>

#include "app/Dlg.h"
#include "app/ShellContext.h"
#include "app/ShellLook.h"
#include "app/Splash.h"
#include "app/Wait.h"
#include "common/FileIO.h"
#include "common/TalpoError.h"
#include "common/Version.h"
#include "day/TalpoDay.h"
#include "paper/Fonts.h"
#include "paper/QtText.h"
#include "settings/ProgramDir.h"
#include "settings/TalpoIni.h"
#include "ui/About.h"
#include "ui/BacktestChoices.h"
#include "ui/BacktestForm.h"
#include "ui/ErrorGuard.h"
#include "ui/FolderWait.h"
#include "ui/HelpWindow.h"
#include "ui/MessageBox.h"
#include "ui/Progress.h"
#include "ui/TitlePicture.h"
#include "ui/YosoMain.h"

namespace talpo {
namespace {

const QString kWarningCaption = U("警告");
const QString kNoDataText = U("解凍されたデータがありません");
const QString kOpenTitle = U("データファイルの選択");
// Both spellings of the extension: the file system tells case apart, the archives come in either.
const QString kOpenFilter = U("LZHファイル（RDX圧縮データ）(*.LZH *.lzh)");
const QString kInDirTitle = U("入力ファイルディレクトリの指定");
const QString kOutDirTitle = U("出力ファイルディレクトリの指定");
const QString kExtractFailed = U("ファイルを解凍できませんでした。");

std::optional<std::string> ChooseArchiveWithDialog(QWidget* parent, const QString& title,
                                                   const QString& folder, const QString& filter) {
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setObjectName("OpenDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Wide enough that the size, type and date columns show whole ("17....KiB" at Qt's own width).
    dialog.resize(760, 440);
    if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        files->header()->setStretchLastSection(false);
        files->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < files->header()->count(); ++column)
            files->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

bool RunModally(TDirDlg& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

void WarnWithBox(QWidget* parent, const QString& caption, const QString& text) {
    ShowMessageBox(parent, QMessageBox::Warning, caption, text);
}

void InformWithBox(QWidget* parent, const QString& caption, const QString& text) {
    ShowMessageBox(parent, QMessageBox::Information, caption, text);
}

QString Shown(const std::string& folder) {
    return QFile::decodeName(QByteArray::fromStdString(folder));
}

TMainFormHooks WithDefaults(TMainFormHooks hooks) {
    if (!hooks.ChooseArchive) hooks.ChooseArchive = ChooseArchiveWithDialog;
    if (!hooks.RunDirDialog) hooks.RunDirDialog = RunModally;
    if (!hooks.Extract) hooks.Extract = ExtractDayArchive;
    if (!hooks.Warn) hooks.Warn = WarnWithBox;
    if (!hooks.Inform) hooks.Inform = InformWithBox;
    return hooks;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* utf8Text, QRect geometry,
                        int pixelSize) {
    auto* button = new QPushButton(U(utf8Text), parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    if (pixelSize != 0) button->setFont(MakePGothicFont(pixelSize));
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* utf8Text, QPoint topLeft) {
    auto* label = new QLabel(U(utf8Text), parent);
    label->setObjectName(name);
    label->move(topLeft);
    label->adjustSize();
    return label;
}

QLineEdit* MakeDirField(QWidget* parent, const char* name, QRect geometry) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setReadOnly(true);
    return field;
}

// Where the folders start when the settings file cannot be made: the program's folder when files can be
// made there, else the home folder.
std::string FallbackFolder(const std::string& programFile) {
    const std::string programDir = FolderOf(programFile);
    if (IsWritableFolder(programDir)) return programDir;
    const std::string home = ReadConfigEnvironment().Home;
    if (home.empty()) return "/";
    return home.back() == '/' ? home : home + "/";
}

}  // namespace

TMainForm::TMainForm(TShellContext& app, TMainFormHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      app_(app),
      hooks_(WithDefaults(std::move(hooks))) {
    app_.MainForm = this;
    app_.ShowStartWindow = [this] {
        show();
        raise();
        activateWindow();
    };
    app_.CloseStartWindow = [this] { close(); };
    BuildLayout();
    FormCreate();
}

TMainForm::~TMainForm() {
    if (app_.MainForm != this) return;
    app_.MainForm = nullptr;
    app_.ShowStartWindow = nullptr;
    app_.CloseStartWindow = nullptr;
}

void TMainForm::BuildLayout() {
    setObjectName("MainForm");
    setFont(MakePGothicFont(12));
    setFixedSize(430, 428);

    // Panel1: a raised outer and a lowered inner bevel of 5 pixels each around the picture.
    auto* panel1 = new QFrame(this);
    panel1->setObjectName("Panel1");
    panel1->setGeometry(0, 0, 430, 270);
    panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel1->setLineWidth(5);
    auto* inner = new QFrame(panel1);
    inner->setGeometry(5, 5, 420, 260);
    inner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    inner->setLineWidth(5);
    auto* image1 = new QLabel(panel1);
    image1->setObjectName("Image1");
    image1->setGeometry(10, 10, 410, 250);
    image1->setScaledContents(true);
    image1->setPixmap(MakeTitlePicture(QSize(410, 250)));
    version_ = MakeOverlayLabel(panel1, "Version", {312, 184}, Qt::white, 16, true);
    rights_ = MakeOverlayLabel(panel1, "Copyright", {248, 224}, Qt::yellow, 13, false);

    // Four in the row since the results window came: 成績集計 stands before 終了, which stays last.
    button1_ = MakeButton(this, "Button1", "ファイル解凍", {0, 272, 107, 25}, 16);
    button2_ = MakeButton(this, "Button2", "予  想", {108, 272, 107, 25}, 16);
    button4_ = MakeButton(this, "Button4", "成績集計", {216, 272, 107, 25}, 16);
    // One pixel narrower than its neighbours: at their width its right border fell outside the window.
    button3_ = MakeButton(this, "Button3", "終  了", {324, 272, 106, 25}, 16);

    groupBox1_ = new QGroupBox(U("ディレクトリ設定"), this);
    groupBox1_->setObjectName("GroupBox1");
    groupBox1_->setGeometry(0, 304, 430, 121);
    // The title stands in from the frame's corner rather than against the window's edge.
    groupBox1_->setStyleSheet(QStringLiteral("QGroupBox::title { subcontrol-origin: margin; left: 8px; }"));
    MakeLabel(groupBox1_, "Label1", "入力ファイルディレクトリ", {16, 24});
    inDirDisp_ = MakeDirField(groupBox1_, "InDirDisp", {16, 40, 345, 20});
    btnInDir_ = MakeButton(groupBox1_, "BtnInDir", "参照", {376, 40, 41, 17}, 0);
    MakeLabel(groupBox1_, "Label2", "出力ファイルディレクトリ", {16, 72});
    outDirDisp_ = MakeDirField(groupBox1_, "OutDirDisp", {16, 88, 345, 20});
    btnOutDir_ = MakeButton(groupBox1_, "BtnOutDir", "参照", {376, 88, 41, 17}, 0);

    setTabOrder(button1_, button2_);
    setTabOrder(button2_, button4_);
    setTabOrder(button4_, button3_);
    setTabOrder(button3_, inDirDisp_);
    setTabOrder(inDirDisp_, outDirDisp_);
    setTabOrder(outDirDisp_, btnInDir_);
    setTabOrder(btnInDir_, btnOutDir_);

    connect(button1_, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(button2_, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(button3_, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(button4_, &QPushButton::clicked, this, [this] { Button4Click(); });
    connect(btnInDir_, &QPushButton::clicked, this, [this] { BtnInDirClick(btnInDir_); });
    connect(btnOutDir_, &QPushButton::clicked, this, [this] { BtnInDirClick(btnOutDir_); });
}

void TMainForm::FormCreate() {
    const auto splash = std::make_unique<TSplashForm>();
    splash->Label1()->setText(U(kVersionText));
    splash->Label2()->setText(U(kRightsText));
    splash->ShowNow();

    // A settings file that cannot be written is reported over the splash, the one window shown now: a
    // box of the hidden start window would go behind it.
    Guarded(splash.get(), [this] { ReadSettings(); });

    version_->setText(U(kVersionText));
    rights_->setText(U(kRightsText));
    setWindowTitle(U(kTalpoCaption));

    Wait(2000);
}

// Neither field is ever left empty: an empty folder would be the working folder, "/" for a program
// started from a menu, and an extraction would go there.
void TMainForm::ReadSettings() {
    const ConfigEnvironment env = ReadConfigEnvironment();
    app_.ProgramDir = ResolveProgramDir(app_.ProgramFile, env);
    const std::string folder = DefaultDataDir(app_.ProgramFile, app_.ProgramDir, env);
    SetFolder(inDirDisp_, folder);
    SetFolder(outDirDisp_, folder);
    TIniFile ini(app_.IniPath());
    if (ini.Exists()) {
        const DirectorySettings dirs = ReadDirectories(ini);
        if (!dirs.InputDir.empty()) SetFolder(inDirDisp_, dirs.InputDir);
        if (!dirs.OutputDir.empty()) SetFolder(outDirDisp_, dirs.OutputDir);
        archiveDir_ = ReadArchiveDir(ini);
        return;
    }
    try {
        CreateDefaultSettings(ini, folder);
    } catch (const ETalpoError& e) {
        settingsKept_ = false;
        app_.KeepsSettings = false;
        const std::string fallback = FallbackFolder(app_.ProgramFile);
        SetFolder(inDirDisp_, fallback);
        SetFolder(outDirDisp_, fallback);
        throw ETalpoError(e.Kind(), std::string(e.what()) + "\n設定は保存されません。");
    }
}

void TMainForm::SetFolder(QLineEdit* field, const std::string& folder) {
    (field == inDirDisp_ ? inDir_ : outDir_) = folder;
    field->setText(Shown(folder));
}

void TMainForm::Wait(int milliseconds) {
    if (app_.Wait)
        app_.Wait(milliseconds);
    else
        talpo::Wait(milliseconds);
}

void TMainForm::BtnInDirClick(QObject* sender) {
    Guarded(this, [&] {
        const bool input = sender != nullptr && sender->objectName() == "BtnInDir";
        QLineEdit* const field = input ? inDirDisp_ : outDirDisp_;
        TDirDlg* const dialog = app_.DirDlg;
        if (dialog == nullptr) return;
        dialog->setWindowTitle(input ? kInDirTitle : kOutDirTitle);
        dialog->SetDirectory(field->text());
        // One separator is always added, also to the root: "//" still names it, and every path is
        // built by plain concatenation.
        if (hooks_.RunDirDialog(*dialog))
            SetFolder(field, QFile::encodeName(dialog->Directory()).toStdString() + "/");
    });
}

void TMainForm::Button1Click() {
    Guarded(this, [this] {
        const std::optional<std::string> archive = hooks_.ChooseArchive(
            this, kOpenTitle, Shown(archiveDir_.empty() ? inDir_ : archiveDir_), kOpenFilter);
        if (!archive) return;
        archiveDir_ = FolderOf(*archive);
        const ExtractResult result = hooks_.Extract(*archive, inDir_, WaitingBox(this));
        // Silence here would leave an earlier day's files to be predicted as if they were the new day.
        if (!result.Ok) {
            hooks_.Warn(this, kWarningCaption,
                        kExtractFailed + "\n" + QString::fromStdString(result.Message));
            return;
        }
        hooks_.Inform(this, QApplication::applicationName(),
                      U("rdx_den.dat と rdx_uma.dat を次のフォルダに解凍しました。\n%1").arg(Shown(inDir_)));
    });
}

void TMainForm::Button2Click() {
    Guarded(this, [this] {
        app_.InputDir = inDir_;
        app_.OutputDir = outDir_;
        if (!FileExists(app_.InputDir + kDenFileName) || !FileExists(app_.InputDir + kUmaFileName)) {
            hooks_.Warn(this, kWarningCaption, kNoDataText);
            return;
        }
        if (app_.YosoForm == nullptr) return;
        hide();
        const bool opened = Guarded(this, [this] { app_.YosoForm->Open(); });
        // A day that failed to load must not leave the program without a visible window.
        if (!opened && !app_.YosoForm->isVisible()) app_.ShowStartWindow();
    });
}

void TMainForm::Button3Click() {
    close();
}

// A window of its own beside this one: the user can go on predicting days meanwhile. Its lists are the
// prediction window's results window's too.
void TMainForm::Button4Click() {
    Guarded(this, [this] {
        if (!backtestForm_) {
            if (!app_.BacktestChoices && !ownBacktestChoices_)
                ownBacktestChoices_ = std::make_unique<TBacktestChoices>();
            TBacktestSetup setup{app_.BacktestChoices ? app_.BacktestChoices : ownBacktestChoices_.get(),
                                 [this] { return inDir_; }, [this] { return outDir_; },
                                 settingsKept_ ? app_.IniPath() : std::string(),
                                 HelpFileName(app_.ProgramFile)};
            backtestForm_ = std::make_unique<TBacktestForm>(nullptr, TBacktestFormHooks{}, std::move(setup));
            backtestForm_->setAttribute(Qt::WA_QuitOnClose, false);
        }
        backtestForm_->Open();
    });
}

void TMainForm::FormCloseQuery() {
    if (!settingsKept_) return;
    TIniFile ini(app_.IniPath());
    WriteDirectories(ini, {.InputDir = inDir_, .OutputDir = outDir_});
    // Written once there is one, so that a file that never saw an extraction keeps its keys as they were.
    if (!archiveDir_.empty()) WriteArchiveDir(ini, archiveDir_);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    Guarded(this, [this] { FormCloseQuery(); });
    // The close is always allowed: a settings file that cannot be written is reported, not a reason to
    // keep the user from quitting.
    event->accept();
    emit ProgramEnded();
}

void TMainForm::showEvent(QShowEvent* event) {
    if (!centred_) {
        centred_ = true;
        CenterOnScreen(*this);
    }
    QWidget::showEvent(event);
}

}  // namespace talpo
