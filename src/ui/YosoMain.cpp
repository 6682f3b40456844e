// The prediction window's frame (menu, toolbar, status bar and hints), the life of a loaded day, paging,
// and the commands. The race display itself is in DispDenma.cpp.
#include "ui/YosoMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/Version.h"
#include "day/DayInput.h"
#include "day/DayTitle.h"
#include "output/OutRdx.h"
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
#include "ui/PrintDay.h"
#include "ui/Progress.h"
#include "ui/SaveDlg.h"
#include "ui/ToolPictures.h"

namespace talpo {
namespace {

constexpr int kClientWidth = 632;
constexpr int kClientHeight = 409;  // below the menu bar
constexpr int kToolBarHeight = 28;
constexpr int kHeaderHeight = 74;
constexpr int kGridAreaHeight = 288;
constexpr int kStatusBarHeight = 19;

// A toolbar with the etched lines along its top and bottom edges.
class TEdgeToolBar : public QToolBar {
public:
    using QToolBar::QToolBar;

protected:
    void paintEvent(QPaintEvent* event) override {
        QToolBar::paintEvent(event);
        QPainter p(this);
        const QColor shadow = palette().color(QPalette::Dark);
        const QColor light = palette().color(QPalette::Light);
        p.fillRect(0, 0, width(), 1, shadow);
        p.fillRect(0, 1, width(), 1, light);
        p.fillRect(0, height() - 2, width(), 1, shadow);
        p.fillRect(0, height() - 1, width(), 1, light);
    }
};

// A hint "tooltip|status text": the first part pops up, the second goes to the status bar. A hint without
// the bar is both.
void SetHint(QWidget* widget, const char* utf8Hint) {
    const QStringList parts = U(utf8Hint).split(QLatin1Char('|'));
    widget->setToolTip(parts.front());
    widget->setStatusTip(parts.back());
}

void SetHint(QAction* action, const char* utf8Hint) {
    const QStringList parts = U(utf8Hint).split(QLatin1Char('|'));
    action->setToolTip(parts.front());
    action->setStatusTip(parts.back());
}

// A folder as the user knows it: the home folder written "~".
QString ShownFolder(const std::string& folder) {
    std::string home = ReadConfigEnvironment().Home;
    if (!home.empty() && home.back() != '/') home += '/';
    const std::string shown =
        home.size() > 1 && folder.starts_with(home) ? "~/" + folder.substr(home.size()) : folder;
    return QFile::decodeName(QByteArray::fromStdString(shown));
}

void Warn(QWidget* parent, const QString& text) {
    ShowMessageBox(parent, QMessageBox::Warning, U("警告"), text);
}

}  // namespace

TYosoForm::TYosoForm(TAppContext& app, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      app_(app) {
    setObjectName("YosoForm");
    setFont(MakePGothicFont(12));
    // The toolbar and status bar are switched from the menu only.
    setContextMenuPolicy(Qt::NoContextMenu);

    CreateMenu();
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    CreateToolBar(central);
    column->addWidget(ToolBar1);
    auto* header = new QFrame(central);
    header->setObjectName("Panel1");
    header->setFixedSize(kClientWidth, kHeaderHeight);
    header->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    header->setLineWidth(2);
    CreateHeader(header);
    column->addWidget(header);
    // Hiding the toolbar moves the panels up; the grid area takes the room left below.
    auto* gridArea = new QWidget(central);
    gridArea->setObjectName("Panel2");
    gridArea->setMinimumSize(kClientWidth, kGridAreaHeight);
    CreateGrids(gridArea);
    column->addWidget(gridArea, 1);
    setCentralWidget(central);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setFixedHeight(kStatusBarHeight);
    StatusBar1->setSizeGripEnabled(false);
    setStatusBar(StatusBar1);
    // A lasting word of the bar: a hint covers it while the mouse is on a button, then it shows again.
    SaveWord = new QLabel(StatusBar1);
    SaveWord->setObjectName("SaveWord");
    StatusBar1->addWidget(SaveWord, 1);

    setFixedSize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
    FormCreate();
}

TYosoForm::~TYosoForm() = default;

void TYosoForm::FormCreate() {
    setWindowTitle(U(kTalpoCaption));
}

void TYosoForm::CreateMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    const auto item = [this](QMenu* menu, const char* name, const char* caption,
                             void (TYosoForm::*handler)()) {
        QAction* action = menu->addAction(U(caption));
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return action;
    };

    QMenu* file = bar->addMenu(U("ﾌｧｲﾙ(&F)"));
    file->setObjectName("FileMenu");
    SaveMenu = item(file, "SaveMenu", "買い目の保存(&S)", &TYosoForm::SaveBtnClick);
    SaveMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SetHint(SaveMenu, "買い目をファイルに保存する");
    PrintMenu = item(file, "PrintMenu", "印刷(&P)...", &TYosoForm::PrintMenuClick);
    PrintMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    SetHint(PrintMenu, "一日分の出馬表をプレビューして印刷する");
    PdfMenu = item(file, "PdfMenu", "PDF に保存(&D)...", &TYosoForm::PdfMenuClick);
    SetHint(PdfMenu, "一日分の出馬表を PDF ファイルに保存する");
    file->addSeparator();
    OtherMenu = item(file, "OtherMenu", "他のﾌｧｲﾙで予想(&O)", &TYosoForm::OtherMenuClick);
    BacktestMenu = item(file, "BacktestMenu", "成績集計(&B)...", &TYosoForm::BacktestMenuClick);
    SetHint(BacktestMenu, "この日と他の日の買い目を成績と突き合わせて集計する");
    ExitMenu = item(file, "ExitMenu", "終了(&X)", &TYosoForm::EndBtnClick);

    QMenu* view = bar->addMenu(U("表示(&V)"));
    view->setObjectName("ViewMenu");
    ToolMenu = item(view, "ToolMenu", "ツールバー(&T)", &TYosoForm::ToolMenuClick);
    StatusMenu = item(view, "StatusMenu", "ステータスバー(&S)", &TYosoForm::StatusMenuClick);
    for (QAction* toggle : {ToolMenu, StatusMenu}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }

    QMenu* help = bar->addMenu(U("ﾍﾙﾌﾟ(&H)"));
    help->setObjectName("HelpMenu");
    ContentsMenu = item(help, "ContentsMenu", "目次(&C)", &TYosoForm::HelpBtnClick);
    ContentsMenu->setShortcut(QKeySequence(Qt::Key_F1));
    help->addSeparator();
    AboutMenu = item(help, "AboutMenu", "ﾊﾞｰｼﾞｮﾝ情報(&A)", &TYosoForm::AboutMenuClick);
}

void TYosoForm::CreateToolBar(QWidget* parent) {
    ToolBar1 = new TEdgeToolBar(parent);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setFixedHeight(kToolBarHeight);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(kToolPictureSize, kToolPictureSize));
    ToolBar1->setContentsMargins(2, 1, 2, 1);
    const auto button = [this](const char* name, TToolPicture picture, const char* hint,
                               void (TYosoForm::*handler)()) {
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(name);
        b->setIcon(MakeToolIcon(picture));
        b->setAutoRaise(true);
        b->setFixedSize(23, 22);
        b->setFocusPolicy(Qt::NoFocus);
        SetHint(b, hint);
        connect(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
        ToolBar1->addWidget(b);
        return b;
    };
    NextBtn = button("NextBtn", TToolPicture::Next, "次のレース|次のレースを表示（PageDown）",
                     &TYosoForm::NextBtnClick);
    PriorBtn = button("PriorBtn", TToolPicture::Prior, "前のレース|前のレースを表示（PageUp）",
                      &TYosoForm::PriorBtnClick);
    ToolBar1->addSeparator();
    SaveBtn = button("SaveBtn", TToolPicture::Save, "買い目の保存|買い目をファイルに保存する",
                     &TYosoForm::SaveBtnClick);
    ToolBar1->addSeparator();
    HelpBtn = button("HelpBtn", TToolPicture::Help, "ヘルプ|ヘルプの表示", &TYosoForm::HelpBtnClick);
    ToolBar1->addSeparator();
    EndBtn = button("EndBtn", TToolPicture::End, "終了|終了する", &TYosoForm::EndBtnClick);
}

// The hint handler: the status bar shows the status part of the hint under the mouse.
bool TYosoForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TYosoForm::ShowHint(const QString& hint) {
    StatusBar1->showMessage(hint);
}

void TYosoForm::ShowSaveWord(const QString& text) {
    SaveWord->setText(text);
}

void TYosoForm::TellSaved(const std::vector<std::string>& written) {
    QStringList names;
    for (const std::string& path : written)
        names << QFile::decodeName(QByteArray::fromStdString(path.substr(path.rfind('/') + 1)));
    ShowSaveWord(U("保存しました: %1 %2").arg(ShownFolder(app_.OutputDir), names.join(QLatin1Char(' '))));
}

// ---- The life of a loaded day ----

void TYosoForm::Open() {
    lastWritten_.clear();
    ShowSaveWord({});
    if (!FormShow()) return;
    CenterOnScreen(*this);
    show();
    raise();
    activateWindow();
    WarnDay();
    // Race 0 is brought up: its box comes over the window now that the window stands where it will stay.
    ReportWeightError();
}

bool TYosoForm::FormShow() {
    day_.reset();
    weightError_.clear();
    savedRdxWarnings_.clear();
    if (!Guarded(this, [this] { LoadTheDay(); })) {
        CloseBack();
        return false;
    }
    if (day_->Denma->RaceCount == 0) {
        Warn(this, U("%1 にはレースがありません").arg(QString::fromStdString(app_.InputDir + kDenFileName)));
        CloseBack();
        return false;
    }
    // A writer that fails is reported; the day stays loaded and is shown all the same.
    Guarded(this, [this] { AutoSave(); });
    Guarded(this, [this] {
        day_->SetRace(0);
        DispDenma();
    });
    return true;
}

void TYosoForm::LoadTheDay() {
    TProgressDriver progress(ProgressForm(), app_.Wait);
    // All or nothing: a failure part-way leaves day_ empty.
    day_ = std::make_shared<TDay>(LoadDay(app_.InputDir, progress, WaitingBox(this)));
}

void TYosoForm::AutoSave() {
    const SaveSettings save = ReadSaveSettings(TIniFile(app_.IniPath()));
    if (!save.Auto) return;
    lastWritten_ =
        WriteEnabledFiles(*day_->Yoso, day_->Denma->RaceCount, app_.OutputDir, save.Files, WaitingBox(this));
    if (!lastWritten_.empty()) TellSaved(lastWritten_);
    if (save.Files.Rdx) savedRdxWarnings_ = RdxSkippedRaceWarnings(*day_->Yoso, day_->Denma->RaceCount);
}

// The day's warnings in one box: its missing horses, and the races the automatic save left out of the RDX
// file.
void TYosoForm::WarnDay() {
    std::vector<std::string> lines = MissingHorseWarnings(day_->Report);
    lines.insert(lines.end(), savedRdxWarnings_.begin(), savedRdxWarnings_.end());
    savedRdxWarnings_.clear();
    WarnLines(lines);
}

void TYosoForm::WarnLines(const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    QStringList text;
    for (const std::string& line : lines) text << QString::fromStdString(line);
    Warn(this, text.join(QLatin1Char('\n')));
}

// Only a day that loaded is unloaded: a load that failed leaves the files for the user to look at or to
// predict again. The files go only while they are the ones the day was read from: a day that another
// program put into the folder since is not this one's to delete. Whether they could be deleted does not
// matter otherwise: the next extraction replaces them.
void TYosoForm::Unload() {
    if (!day_) return;
    const DayFileStamps loaded = day_->Files;
    day_.reset();
    weightError_.clear();
    RemoveLoadedDayFiles(app_.InputDir, loaded, WaitingBox(this));
}

// A load that failed: whatever was read is freed, the files stay where they are.
void TYosoForm::CloseBack() {
    day_.reset();
    weightError_.clear();
    if (app_.ShowStartWindow) app_.ShowStartWindow();
}

// The results window is tied to this one and closes with it (a run under way stops); its lists stay, the
// day among them, for the start window's results window.
void TYosoForm::FormCloseQuery() {
    if (backtestForm_) backtestForm_->close();
    Unload();
}

void TYosoForm::FormClose() {
    if (app_.ShowStartWindow) app_.ShowStartWindow();
}

void TYosoForm::closeEvent(QCloseEvent* event) {
    const bool wasShown = isVisible();
    Guarded(this, [this] { FormCloseQuery(); });
    event->accept();
    if (wasShown) Guarded(this, [this] { FormClose(); });
}

// ---- Paging ----

void TYosoForm::Step(int delta) {
    Guarded(this, [this, delta] {
        if (!day_) return;
        day_->SetRace(day_->Denma->RaceIndex + delta);
        ShowSaveWord({});
        DispDenma();
        ReportWeightError();
    });
}

void TYosoForm::ReportWeightError() {
    if (!weightError_.empty()) ReportError(this, weightError_);
}

void TYosoForm::NextBtnClick() {
    Step(+1);
}

void TYosoForm::PriorBtnClick() {
    Step(-1);
}

void TYosoForm::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event->key());
}

void TYosoForm::FormKeyDown(int key) {
    Guarded(this, [this, key] {
        if (!day_) return;
        const TDenma& denma = *day_->Denma;
        const int before = denma.RaceIndex;
        if (key == Qt::Key_PageDown || key == Qt::Key_Down) {
            if (denma.RaceIndex + 1 != denma.RaceCount) day_->SetRace(denma.RaceIndex + 1);
        } else if (key == Qt::Key_PageUp || key == Qt::Key_Up) {
            if (denma.RaceIndex != 0) day_->SetRace(denma.RaceIndex - 1);
        } else if (key == Qt::Key_Home) {
            day_->SetRace(0);
        } else if (key == Qt::Key_End) {
            day_->SetRace(denma.RaceCount - 1);
        }
        if (denma.RaceIndex != before) ShowSaveWord({});
        DispDenma();
        // Any other key, a bare Ctrl before Ctrl+S among them, only redraws the race: no box again.
        if (denma.RaceIndex != before) ReportWeightError();
    });
}

// ---- Commands ----

void TYosoForm::SaveBtnClick() {
    Guarded(this, [this] {
        TIniFile ini(app_.IniPath());
        TSaveForm& dialog = SaveForm();
        dialog.SetOptions(ReadSaveSettings(ini));
        if (dialog.exec() != QDialog::Accepted) return;
        const SaveSettings chosen = dialog.Options();
        if (chosen.Files == OutputSelection::None()) {
            ShowSaveWord(U("保存する形式が選ばれていないため、何も保存しませんでした"));
        } else if (day_) {
            lastWritten_ = WriteEnabledFiles(*day_->Yoso, day_->Denma->RaceCount, app_.OutputDir,
                                             chosen.Files, WaitingBox(this));
            TellSaved(lastWritten_);
            if (chosen.Files.Rdx) WarnLines(RdxSkippedRaceWarnings(*day_->Yoso, day_->Denma->RaceCount));
        }
        WriteSaveSettings(ini, chosen);
    });
}

void TYosoForm::PrintMenuClick() {
    Guarded(this, [this] {
        if (day_) PreviewDayPrint(this, *day_);
    });
}

void TYosoForm::PdfMenuClick() {
    Guarded(this, [this] {
        if (!day_) return;
        const std::string path = SaveDayPdf(this, *day_, app_.OutputDir, InputFiles(app_.InputDir));
        if (!path.empty()) ShowSaveWord(U("保存しました: %1").arg(ShownFolder(path)));
    });
}

void TYosoForm::HelpBtnClick() {
    Guarded(this, [this] {
        if (!helpWindow_) helpWindow_ = std::make_unique<THelpWindow>();
        helpWindow_->ShowContents(HelpFileName(app_.ProgramFile), this);
    });
}

void TYosoForm::EndBtnClick() {
    Guarded(this, [this] {
        close();
        if (app_.CloseStartWindow) app_.CloseStartWindow();
    });
}

void TYosoForm::OtherMenuClick() {
    Guarded(this, [this] { close(); });
}

// A window tied to this one, beside which this one stays usable. The day is listed by its name and held in
// memory, so that it can be scored after this window has closed and deleted its files.
void TYosoForm::BacktestMenuClick() {
    Guarded(this, [this] {
        if (!backtestForm_) {
            if (!app_.BacktestChoices && !ownBacktestChoices_)
                ownBacktestChoices_ = std::make_unique<TBacktestChoices>();
            TAppContext* const app = &app_;
            TBacktestSetup setup{app_.BacktestChoices ? app_.BacktestChoices : ownBacktestChoices_.get(),
                                 [app] { return app->InputDir; }, [app] { return app->OutputDir; },
                                 app_.KeepsSettings ? app_.IniPath() : std::string(),
                                 HelpFileName(app_.ProgramFile)};
            backtestForm_ = new TBacktestForm(this, {}, std::move(setup));
        }
        if (day_) backtestForm_->Choices().AddLoadedDay(DayTitle(*day_), day_);
        backtestForm_->Open();
    });
}

// The menu item has already turned its check mark over when this runs, so the bar follows the mark.
void TYosoForm::ToolMenuClick() {
    ToolBar1->setVisible(ToolMenu->isChecked());
}

void TYosoForm::StatusMenuClick() {
    StatusBar1->setVisible(StatusMenu->isChecked());
}

void TYosoForm::AboutMenuClick() {
    Guarded(this, [this] {
        TAboutForm& dialog = AboutForm();
        dialog.SetVersionLines(U(kVersionText), U(kRightsText));
        dialog.exec();
    });
}

// ---- The dialogs the entry sequence creates ----

TSaveForm& TYosoForm::SaveForm() {
    if (app_.SaveForm) return *app_.SaveForm;
    if (!ownSaveForm_) ownSaveForm_ = std::make_unique<TSaveForm>();
    return *ownSaveForm_;
}

TAboutForm& TYosoForm::AboutForm() {
    if (app_.AboutForm) return *app_.AboutForm;
    if (!ownAboutForm_) ownAboutForm_ = std::make_unique<TAboutForm>();
    return *ownAboutForm_;
}

TProgressForm& TYosoForm::ProgressForm() {
    if (app_.ProgressForm) return *app_.ProgressForm;
    if (!ownProgressForm_) ownProgressForm_ = std::make_unique<TProgressForm>();
    return *ownProgressForm_;
}

}  // namespace talpo
