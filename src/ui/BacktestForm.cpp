// The results window's layout, its lists, and the runs of its worker.
#include "ui/BacktestForm.h"

#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "backtest/Yen.h"
#include "paper/Fonts.h"
#include "paper/QtText.h"
#include "settings/TalpoIni.h"
#include "ui/BacktestCharts.h"
#include "ui/BacktestChoices.h"
#include "ui/ErrorGuard.h"
#include "ui/FigureGrid.h"
#include "ui/HelpWindow.h"
#include "ui/MessageBox.h"
#include "ui/PathList.h"
#include "ui/StrategyCharts.h"
#include "ui/StrategyCompare.h"

namespace talpo {
namespace {

// The stake box counts in int, as spin boxes do; the limits are the back-test's.
constexpr int kStepYen = static_cast<int>(kStakeStep);
constexpr int kMostYen = static_cast<int>(kMaxStake);

// A window tied to its owner is a dialog to the window manager, which keeps it above that window (a plain
// window is never transient there), with the buttons of a window all the same.
constexpr Qt::WindowFlags kTiedWindow = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                        Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

// A stake as typed: any whole number of yen up to the limit, never rounded, so that a stake the
// totalisator does not sell is shown as such (StakeError) rather than changed; Enter runs.
class TStakeBox : public QSpinBox {
public:
    explicit TStakeBox(std::function<void()> entered, QWidget* parent)
        : QSpinBox(parent), entered_(std::move(entered)) {}

protected:
    void fixup(QString&) const override {}
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            entered_();
            return;
        }
        QSpinBox::keyPressEvent(event);
    }

private:
    std::function<void()> entered_;
};

std::vector<std::string> ChooseFilesWithDialog(QWidget* parent, const QString& title, const QString& folder,
                                               const QString& filter) {
    std::vector<std::string> paths;
    for (const QString& file : QFileDialog::getOpenFileNames(parent, title, folder, filter))
        paths.push_back(QFile::encodeName(file).toStdString());
    return paths;
}

std::optional<std::string> ChooseFolderWithDialog(QWidget* parent, const QString& title,
                                                  const QString& folder) {
    const QString chosen = QFileDialog::getExistingDirectory(parent, title, folder);
    if (chosen.isEmpty()) return std::nullopt;
    return QFile::encodeName(chosen).toStdString();
}

std::optional<TSaveChoice> ChooseSaveFileWithDialog(QWidget* parent, const QString& title,
                                                    const QString& suggested, const QStringList& filters) {
    QFileDialog dialog(parent, title, suggested);
    dialog.setObjectName("BacktestSaveDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.resize(760, 440);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return TSaveChoice{QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString(),
                       static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

TBacktestFormHooks WithDefaults(TBacktestFormHooks hooks) {
    if (!hooks.Run) hooks.Run = RunSeason;
    if (!hooks.ChooseFiles) hooks.ChooseFiles = ChooseFilesWithDialog;
    if (!hooks.ChooseFolder) hooks.ChooseFolder = ChooseFolderWithDialog;
    if (!hooks.ChooseSaveFile) hooks.ChooseSaveFile = ChooseSaveFileWithDialog;
    return hooks;
}

QPushButton* MakeButton(const char* name, const char* utf8Text, QWidget* parent) {
    auto* button = new QPushButton(U(utf8Text), parent);
    button->setObjectName(name);
    return button;
}

QString PathText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString Summary(const TBacktestDone& done) {
    const BacktestCounts& c = done.Run.Summary.Counts;
    QString text = U("%1日 %2レース（予想 %3、集計 %4）")
                       .arg(c.Days)
                       .arg(c.Races)
                       .arg(c.PredictedRaces)
                       .arg(c.ScoredRaces);
    if (done.Run.FailedDays > 0) text += U("\n読めなかった日: %1").arg(done.Run.FailedDays);
    if (!done.Run.DaysWithoutResults.empty())
        text += U("\n成績の無い日: %1（集計に入っていません）").arg(done.Run.DaysWithoutResults.size());
    if (done.MissingHorses > 0) text += U("\n馬ファイルに無い馬: %1頭").arg(done.MissingHorses);
    if (c.UnmatchedResultRaces > 0) text += U("\nどの日にも無い成績: %1レース").arg(c.UnmatchedResultRaces);
    return text;
}

// A chart with nothing in it yet, saying how it comes.
std::unique_ptr<QChart> EmptyChart(const QFont& font) {
    auto chart = std::make_unique<QChart>();
    chart->setTitle(U("日と成績ファイルを選んで「集計」を押すと、ここにグラフが出ます"));
    chart->setTitleFont(font);
    chart->setTitleBrush(QColor(0x80, 0x80, 0x80));
    return chart;
}

void SetChart(QChartView& view, std::unique_ptr<QChart> chart) {
    // The view gives up the chart it held without deleting it.
    const std::unique_ptr<QChart> before(view.chart());
    view.setChart(chart.release());
}

// The classes of the races in the order they first come, for the strategies' class condition.
std::vector<std::string> ClassesOf(const std::vector<InputRace>& races) {
    std::vector<std::string> classes;
    for (const InputRace& r : races)
        if (!r.Race.Facts.Class.empty() &&
            std::find(classes.begin(), classes.end(), r.Race.Facts.Class) == classes.end())
            classes.push_back(r.Race.Facts.Class);
    return classes;
}

QChartView* MakeChartView(const char* name) {
    auto* view = new QChartView;
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFocusPolicy(Qt::StrongFocus);
    // The focus shows as a frame in the theme's highlight, as a list's does.
    view->setStyleSheet(
        QStringLiteral("QChartView { border: 2px solid transparent; }"
                       "QChartView:focus { border: 2px solid palette(highlight); }"));
    return view;
}

}  // namespace

TBacktestForm::TBacktestForm(QWidget* owner, TBacktestFormHooks hooks, TBacktestSetup setup)
    : QWidget(owner, owner ? kTiedWindow : Qt::Window),
      hooks_(WithDefaults(std::move(hooks))),
      setup_(std::move(setup)),
      owner_(owner),
      ownChoices_(setup_.Choices ? nullptr : std::make_unique<TBacktestChoices>()),
      choices_(setup_.Choices ? setup_.Choices : ownChoices_.get()) {
    setObjectName("BacktestForm");
    setWindowTitle(U("成績集計"));
    setFont(MakePGothicFont(12));
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName("Splitter");
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(BuildInputs());
    splitter->addWidget(BuildResults());
    splitter->setStretchFactor(1, 1);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 0);
    column->addWidget(splitter, 1);
    column->addWidget(StatusBar1);
    BuildKeys();
    OrderTabs();
    ClearFigures();
    connect(choices_, &TBacktestChoices::Changed, this, &TBacktestForm::ShowChoices);
    ShowChoices();
    SetRunning(false);
}

TBacktestForm::~TBacktestForm() {
    StopWorker();
}

QWidget* TBacktestForm::BuildInputs() {
    auto* inputs = new QWidget(this);
    auto* column = new QVBoxLayout(inputs);
    column->setContentsMargins(0, 0, 4, 0);
    column->addWidget(BuildListBox("集計する日", DayList, DayCount, BuildDayButtons()), 1);
    column->addWidget(BuildListBox("成績ファイル", ResultList, ResultCount, BuildResultButtons()), 1);
    column->addWidget(BuildRunBox());
    return inputs;
}

// A list under its title with its count to the right, and its buttons under it.
QWidget* TBacktestForm::BuildListBox(const char* title, TPathList*& list, QLabel*& count, QWidget* buttons) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 6);
    auto* head = new QHBoxLayout;
    auto* name = new QLabel(U(title), box);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    count = new QLabel(box);
    head->addWidget(name);
    head->addStretch(1);
    head->addWidget(count);
    const bool days = &list == &DayList;
    list = new TPathList(days,
                         days ? U("LZH ファイルか日のフォルダを\nここにドロップしても追加できます")
                              : U("成績の CSV ファイルを\nここにドロップしても追加できます"),
                         box);
    list->setObjectName(days ? "DayList" : "ResultList");
    count->setObjectName(days ? "DayCount" : "ResultCount");
    column->addLayout(head);
    column->addWidget(list, 1);
    column->addWidget(buttons);
    choiceWidgets_.push_back(box);
    connect(list, &TPathList::PathsDropped, this, [this, days](const std::vector<std::string>& paths) {
        Guarded(this, [&] { days ? AddDaysTold(paths) : AddResultsTold(paths); });
    });
    connect(list, &TPathList::RemoveAsked, this,
            [this, days] { days ? RemoveDayBtnClick() : RemoveResultsBtnClick(); });
    return box;
}

QWidget* TBacktestForm::BuildDayButtons() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto add = [&](const char* name, const char* text, void (TBacktestForm::*click)()) {
        QPushButton* button = MakeButton(name, text, row);
        connect(button, &QPushButton::clicked, this, [this, click] { (this->*click)(); });
        layout->addWidget(button);
    };
    add("AddArchiveBtn", "LZH 追加(&L)...", &TBacktestForm::AddArchiveBtnClick);
    add("AddFolderBtn", "フォルダ追加(&F)...", &TBacktestForm::AddFolderBtnClick);
    add("RemoveDayBtn", "削除(&D)", &TBacktestForm::RemoveDayBtnClick);
    return row;
}

QWidget* TBacktestForm::BuildResultButtons() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QPushButton* add = MakeButton("AddResultsBtn", "追加(&A)...", row);
    QPushButton* remove = MakeButton("RemoveResultsBtn", "削除(&R)", row);
    connect(add, &QPushButton::clicked, this, [this] { AddResultsBtnClick(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveResultsBtnClick(); });
    layout->addWidget(add);
    layout->addWidget(remove);
    layout->addStretch(1);
    return row;
}

// The stake with its check, 集計 and 中止, the progress and what the last run came to.
QWidget* TBacktestForm::BuildRunBox() {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* stakeRow = new QHBoxLayout;
    auto* stakeLabel = new QLabel(U("1点あたり(&S)"), box);
    StakeBox = new TStakeBox([this] { RunBtnClick(); }, box);
    StakeBox->setObjectName("StakeBox");
    StakeBox->setRange(0, kMostYen);
    StakeBox->setSingleStep(kStepYen);
    StakeBox->setValue(static_cast<int>(choices_->Stake()));
    StakeBox->setAlignment(Qt::AlignRight);
    stakeLabel->setBuddy(StakeBox);
    stakeRow->addWidget(stakeLabel);
    stakeRow->addWidget(StakeBox, 1);
    stakeRow->addWidget(new QLabel(U("円"), box));
    column->addLayout(stakeRow);
    choiceWidgets_.push_back(StakeBox);
    connect(StakeBox, &QSpinBox::valueChanged, this, [this](int yen) { choices_->SetStake(yen); });
    StakeErrorLabel = new QLabel(box);
    StakeErrorLabel->setObjectName("StakeErrorLabel");
    StakeErrorLabel->setWordWrap(true);
    StakeErrorLabel->setStyleSheet(QStringLiteral("color: #c00000;"));
    column->addWidget(StakeErrorLabel);

    auto* runRow = new QHBoxLayout;
    RunBtn = MakeButton("RunBtn", "集計(&T)", box);
    CancelBtn = MakeButton("CancelBtn", "中止(&C)", box);
    connect(RunBtn, &QPushButton::clicked, this, [this] { RunBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    runRow->addWidget(RunBtn);
    runRow->addWidget(CancelBtn);
    column->addLayout(runRow);
    ProgressBar1 = new QProgressBar(box);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setFormat(U("%v/%m日"));
    column->addWidget(ProgressBar1);
    StatusLabel = new QLabel(box);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setWordWrap(true);
    StatusLabel->setMinimumHeight(4 * fontMetrics().height());
    StatusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(StatusLabel);
    return box;
}

QWidget* TBacktestForm::BuildResults() {
    auto* results = new QWidget(this);
    auto* column = new QVBoxLayout(results);
    column->setContentsMargins(4, 0, 0, 0);
    StaleNote = new QLabel(U("前回の集計（現在のリストとは異なります）"), results);
    StaleNote->setObjectName("StaleNote");
    StaleNote->setStyleSheet(QStringLiteral("background: #fff4c0; color: black; padding: 3px;"));
    column->addWidget(StaleNote);
    Tabs = new QTabWidget(results);
    Tabs->setObjectName("Tabs");
    const auto grid = [](const char* name) {
        auto* table = new TFigureGrid;
        table->setObjectName(name);
        return table;
    };
    TypeGrid = grid("TypeGrid");
    MarkGrid = grid("MarkGrid");
    VenueGrid = grid("VenueGrid");
    MonthGrid = grid("MonthGrid");
    ProfitChart = MakeChartView("ProfitChart");
    RecoveryChart = MakeChartView("RecoveryChart");
    Tabs->addTab(TypeGrid, U("券種別"));
    Tabs->addTab(MarkGrid, U("印別"));
    Tabs->addTab(VenueGrid, U(WordsOf(GroupKey::Venue).Title));
    Tabs->addTab(MonthGrid, U(WordsOf(GroupKey::Month).Title));
    Tabs->addTab(ProfitChart, U("推移"));
    Tabs->addTab(RecoveryChart, U("回収率"));
    StrategyPanel1 = new TStrategyPanel(nullptr, hooks_.Strategies);
    CompareView = new TStrategyCompare;
    Tabs->addTab(StrategyPanel1, U("戦略"));
    Tabs->addTab(CompareView, U("比較"));
    // Beside Talpo.ini when the program keeps its settings, else only while the window is open.
    const std::size_t slash = setup_.SettingsFile.rfind('/');
    if (slash != std::string::npos) StrategyPanel1->Load(setup_.SettingsFile.substr(0, slash + 1));
    connect(StrategyPanel1, &TStrategyPanel::StrategiesChanged, this, [this] { Rescore(); });
    column->addWidget(Tabs, 1);
    connect(Tabs, &QTabWidget::currentChanged, this, [this] { UpdateSaving(); });

    auto* saveRow = new QHBoxLayout;
    ByStrategyCheck = new QCheckBox(U("推移・回収率を戦略ごとに(&G)"), results);
    ByStrategyCheck->setObjectName("ByStrategyCheck");
    ByStrategyCheck->setToolTip(U("グラフを券種ごとから、戦略タブでチェックした戦略ごとに切り替えます"));
    connect(ByStrategyCheck, &QCheckBox::toggled, this, [this] { ShowCharts(); });
    saveRow->addWidget(ByStrategyCheck);
    saveRow->addStretch(1);
    SaveCsvBtn = MakeButton("SaveCsvBtn", "買い目を CSV で保存(&V)...", results);
    SavePngBtn = MakeButton("SavePngBtn", "グラフを PNG で保存(&P)...", results);
    saveRow->addWidget(SaveCsvBtn);
    saveRow->addWidget(SavePngBtn);
    column->addLayout(saveRow);
    connect(SaveCsvBtn, &QPushButton::clicked, this, [this] { SaveCsvBtnClick(); });
    connect(SavePngBtn, &QPushButton::clicked, this, [this] { SavePngBtnClick(); });
    return results;
}

// A window of its own has no close button within reach of the keys otherwise.
void TBacktestForm::BuildKeys() {
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { HelpKeyPress(); });
}

// Each list, then its buttons; the stake, 集計 and 中止; the tabs and the saves.
void TBacktestForm::OrderTabs() {
    std::vector<QWidget*> order{DayList};
    for (const char* name : {"AddArchiveBtn", "AddFolderBtn", "RemoveDayBtn"})
        order.push_back(findChild<QWidget*>(name));
    order.push_back(ResultList);
    for (const char* name : {"AddResultsBtn", "RemoveResultsBtn"}) order.push_back(findChild<QWidget*>(name));
    order.insert(order.end(), {StakeBox, RunBtn, CancelBtn, Tabs, ByStrategyCheck, SaveCsvBtn, SavePngBtn});
    for (std::size_t k = 1; k < order.size(); ++k) setTabOrder(order[k - 1], order[k]);
}

void TBacktestForm::ShowChoices() {
    QStringList days;
    QStringList dayTips;
    for (const SeasonDay& day : choices_->Days()) {
        days << (day.Loaded ? QString::fromStdString(day.Input) : PathText(day.Input));
        dayTips << (day.Loaded ? U("%1（予想画面で読み込んだ日）").arg(days.back()) : days.back());
    }
    DayList->SetEntries(days, dayTips);
    QStringList results;
    for (const std::string& path : choices_->Results()) results << PathText(path);
    ResultList->SetEntries(results, results);
    DayCount->setText(U("%1日").arg(days.size()));
    ResultCount->setText(U("%1ファイル").arg(results.size()));
    if (StakeBox->value() != choices_->Stake()) StakeBox->setValue(static_cast<int>(choices_->Stake()));
    const std::optional<std::string> stakeError = StakeError(choices_->Stake());
    StakeErrorLabel->setText(stakeError ? QString::fromStdString(*stakeError) : QString());
    StakeErrorLabel->setVisible(stakeError.has_value());
    SetRunning(running_);
}

void TBacktestForm::SetRunning(bool running) {
    for (QWidget* w : choiceWidgets_) w->setEnabled(!running);
    RunBtn->setEnabled(!running && !StakeError(choices_->Stake()));
    CancelBtn->setEnabled(running && worker_ != nullptr);
    UpdateSaving();
}

void TBacktestForm::ShowFigures(const TBacktestDone& done) {
    shown_ = std::make_unique<TBacktestDone>(done);
    const BacktestReport& report = shown_->Report;
    TypeGrid->Fill(report.Types);
    MarkGrid->Fill(report.Marks);
    for (const GroupReport& groups : report.Groups)
        (groups.Key == GroupKey::Venue ? VenueGrid : MonthGrid)->Fill(LabelledTable(groups));
    StrategyPanel1->SetRunFacts(ClassesOf(shown_->Run.Races), MiddleDate(shown_->Run.Races));
    Rescore();
    StatusLabel->setText(Summary(*shown_));
}

void TBacktestForm::ClearFigures() {
    shown_.reset();
    for (TFigureGrid* grid : {TypeGrid, MarkGrid, VenueGrid, MonthGrid}) grid->Fill({});
    Rescore();
}

// The strategies' figures again from the kept races: no day is predicted again, and a tally of a season
// takes a few milliseconds, so it is done here at once rather than on the worker.
void TBacktestForm::Rescore() {
    if (!shown_) {
        CompareView->Clear(U("集計すると、戦略タブでチェックした戦略がここに並びます。"));
    } else {
        const std::vector<Strategy> strategies = StrategyPanel1->CheckedStrategies();
        CompareView->SetRows(
            CompareRows(TallyStrategies(shown_->Run.Races, strategies, StrategyPanel1->Split())));
    }
    ShowCharts();
}

void TBacktestForm::ShowCharts() {
    if (!shown_) {
        SetChart(*ProfitChart, EmptyChart(font()));
        SetChart(*RecoveryChart, EmptyChart(font()));
        return;
    }
    const std::vector<InputRace>& races = shown_->Run.Races;
    if (!ByStrategyCheck->isChecked()) {
        SetChart(*ProfitChart, MakeProfitChart(races, font()));
        SetChart(*RecoveryChart, MakeRecoveryChart(shown_->Report, font()));
        return;
    }
    const std::vector<Strategy> strategies = StrategyPanel1->CheckedStrategies();
    SetChart(*ProfitChart, MakeStrategyProfitChart(races, strategies, StrategyPanel1->Split(), font()));
    SetChart(*RecoveryChart,
             MakeStrategyRecoveryChart(CompareRows(TallyStrategies(races, strategies, {})), font()));
}

bool TBacktestForm::StrategyTab() const {
    return Tabs->currentWidget() == StrategyPanel1 || Tabs->currentWidget() == CompareView;
}

bool TBacktestForm::ShownMatchesChoices() const {
    return shown_ && choices_->Match(shown_->Options);
}

// Saving only what the lists as they stand would give; a chart only from a chart's tab.
void TBacktestForm::UpdateSaving() {
    const bool current = ShownMatchesChoices();
    StaleNote->setVisible(shown_ && !current);
    SaveCsvBtn->setEnabled(!running_ && current);
    const bool chart = Tabs->currentWidget() == ProfitChart || Tabs->currentWidget() == RecoveryChart;
    SavePngBtn->setEnabled(!running_ && current && chart);
}

void TBacktestForm::Open() {
    Place();
    show();
    raise();
    activateWindow();
}

// Lists and the stake are the program's: closing a window keeps them for the next opening, and a run
// under way stops.
void TBacktestForm::closeEvent(QCloseEvent* event) {
    CancelBtnClick();
    Guarded(this, [this] { KeepPlace(); });
    event->accept();
}

}  // namespace talpo
