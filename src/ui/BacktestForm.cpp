// The results window's layout, its worker thread and what it shows of a run.
#include "ui/BacktestForm.h"

#include <QBuffer>
#include <QChartView>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include "backtest/BacktestReport.h"
#include "backtest/Yen.h"
#include "common/Cp932.h"
#include "common/UserFile.h"
#include "day/DayInput.h"
#include "paper/QtText.h"
#include "ui/BacktestCharts.h"
#include "ui/ErrorGuard.h"
#include "ui/Fonts.h"
#include "ui/MessageBox.h"
#include "ui/PathList.h"

namespace talpo {
namespace {
// The stake box counts in int, as spin boxes do; the limits are the back-test's.
constexpr int kStepYen = static_cast<int>(kStakeStep);
constexpr int kMostYen = static_cast<int>(kMaxStake);

// A stake the totalisator sells: whole hundreds of yen; anything else is rounded to the nearest.
class TStakeBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& text, int& pos) const override {
        const QValidator::State state = QSpinBox::validate(text, pos);
        if (state != QValidator::Acceptable) return state;
        return valueFromText(text) % kStepYen == 0 ? QValidator::Acceptable : QValidator::Intermediate;
    }
    void fixup(QString& text) const override {
        const int yen = (valueFromText(text) + kStepYen / 2) / kStepYen * kStepYen;
        text = textFromValue(std::clamp(yen, kStepYen, kMostYen));
    }
};

std::vector<std::string> ChooseFilesWithDialog(QWidget* parent, const QString& title, const QString& filter) {
    std::vector<std::string> paths;
    for (const QString& file : QFileDialog::getOpenFileNames(parent, title, QString(), filter))
        paths.push_back(QFile::encodeName(file).toStdString());
    return paths;
}

std::optional<std::string> ChooseFolderWithDialog(QWidget* parent, const QString& title) {
    const QString folder = QFileDialog::getExistingDirectory(parent, title);
    if (folder.isEmpty()) return std::nullopt;
    return QFile::encodeName(folder).toStdString();
}

std::optional<std::string> ChooseSaveFileWithDialog(QWidget* parent, const QString& title,
                                                    const QString& filter) {
    const QString file = QFileDialog::getSaveFileName(parent, title, QString(), filter);
    if (file.isEmpty()) return std::nullopt;
    return QFile::encodeName(file).toStdString();
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

QTableWidget* MakeGrid(const char* name) {
    auto* grid = new QTableWidget;
    grid->setObjectName(name);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    return grid;
}

// The label columns to the left, the figures to the right as the command line's table has them, and each
// total in bold.
void FillGrid(QTableWidget& grid, const ReportTable& table) {
    grid.clear();
    grid.setRowCount(static_cast<int>(table.Rows.size()));
    grid.setColumnCount(static_cast<int>(table.Header.size()));
    QStringList header;
    for (const std::string& cell : table.Header) header << FromCp932(cell);
    grid.setHorizontalHeaderLabels(header);
    QFont bold = grid.font();
    bold.setBold(true);
    for (std::size_t r = 0; r < table.Rows.size(); ++r) {
        const ReportRow& row = table.Rows[r];
        for (std::size_t c = 0; c < row.Cells.size(); ++c) {
            auto* item = new QTableWidgetItem(FromCp932(row.Cells[c]));
            item->setTextAlignment(Qt::AlignVCenter |
                                   (c < table.LabelColumns ? Qt::AlignLeft : Qt::AlignRight));
            if (row.Total) item->setFont(bold);
            grid.setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    grid.resizeColumnsToContents();
}

void SetChart(QChartView& view, std::unique_ptr<QChart> chart) {
    // The view gives up the chart it held without deleting it.
    const std::unique_ptr<QChart> before(view.chart());
    view.setChart(chart.release());
}

QString Summary(const SeasonResult& run, int warnings) {
    const BacktestCounts& c = run.Summary.Counts;
    QString text = U("%1日 %2レース（予想 %3、集計 %4）")
                       .arg(c.Days)
                       .arg(c.Races)
                       .arg(c.PredictedRaces)
                       .arg(c.ScoredRaces);
    if (run.FailedDays > 0) text += U("\n読めなかった日: %1").arg(run.FailedDays);
    if (warnings > 0) text += U("\n馬ﾌｧｲﾙに無い馬: %1頭").arg(warnings);
    if (c.UnmatchedResultRaces > 0) text += U("\nどの日にも無い成績: %1レース").arg(c.UnmatchedResultRaces);
    return text;
}

}  // namespace

// Tells the window, from the worker thread, how far the run is; stops it when asked to.
class TBacktestForm::Listener final : public ISeasonListener {
public:
    explicit Listener(TBacktestForm& form) : form_(form) {}

    bool DayStarting(std::size_t day, std::size_t dayCount, const std::string& input) override {
        TBacktestForm* const form = &form_;
        QMetaObject::invokeMethod(
            form, [form, day, dayCount, input] { form->ShowProgress(day, dayCount, input); },
            Qt::QueuedConnection);
        return !form_.stop_.load();
    }
    void Warning(const std::string&) override { ++form_.warnings_; }
    void DayFailed(const std::string& text) override { form_.dayErrors_.push_back(text); }

private:
    TBacktestForm& form_;
};

TBacktestForm::TBacktestForm(QWidget* owner, TBacktestFormHooks hooks)
    : QWidget(owner, Qt::Window), hooks_(WithDefaults(std::move(hooks))) {
    setObjectName("BacktestForm");
    setWindowTitle(U("成績集計"));
    setFont(MakePGothicFont(12));
    // Over the window it came from: a prediction window must keep its day while the day is listed here.
    if (owner != nullptr) setWindowModality(Qt::WindowModal);
    auto* row = new QHBoxLayout(this);
    row->addWidget(BuildInputs());
    row->addWidget(BuildResults(), 1);
    resize(1060, 640);
    SetRunning(false);
}

TBacktestForm::~TBacktestForm() {
    StopWorker();
}

QWidget* TBacktestForm::BuildInputs() {
    auto* inputs = new QWidget(this);
    inputs->setFixedWidth(320);
    auto* column = new QVBoxLayout(inputs);
    column->setContentsMargins(0, 0, 0, 0);

    const auto listBox = [&](const char* title, TPathList*& list, bool foldersToo, const char* name,
                             std::initializer_list<QPushButton*> buttons) {
        auto* box = new QGroupBox(U(title), inputs);
        auto* boxColumn = new QVBoxLayout(box);
        list = new TPathList(foldersToo, box);
        list->setObjectName(name);
        boxColumn->addWidget(list);
        auto* buttonRow = new QHBoxLayout;
        for (QPushButton* button : buttons) buttonRow->addWidget(button);
        boxColumn->addLayout(buttonRow);
        column->addWidget(box, 1);
        choices_.push_back(box);
    };
    QPushButton* addArchive = MakeButton("AddArchiveBtn", "LZH追加...", inputs);
    QPushButton* addFolder = MakeButton("AddFolderBtn", "ﾌｫﾙﾀﾞ追加...", inputs);
    QPushButton* removeDay = MakeButton("RemoveDayBtn", "削除", inputs);
    listBox("集計する日（LZHﾌｧｲﾙ・ﾌｫﾙﾀﾞ、ﾄﾞﾛｯﾌﾟ可）", DayList, true, "DayList",
            {addArchive, addFolder, removeDay});
    QPushButton* addResults = MakeButton("AddResultsBtn", "追加...", inputs);
    QPushButton* removeResults = MakeButton("RemoveResultsBtn", "削除", inputs);
    listBox("成績ﾌｧｲﾙ（CSV、ﾄﾞﾛｯﾌﾟ可）", ResultList, false, "ResultList", {addResults, removeResults});

    auto* stakeRow = new QHBoxLayout;
    stakeRow->addWidget(new QLabel(U("1点あたり"), inputs));
    StakeBox = new TStakeBox(inputs);
    StakeBox->setObjectName("StakeBox");
    StakeBox->setRange(kStepYen, kMostYen);
    StakeBox->setSingleStep(kStepYen);
    StakeBox->setValue(kStepYen);
    StakeBox->setAlignment(Qt::AlignRight);
    stakeRow->addWidget(StakeBox, 1);
    stakeRow->addWidget(new QLabel(U("円"), inputs));
    column->addLayout(stakeRow);
    choices_.push_back(StakeBox);

    auto* runRow = new QHBoxLayout;
    RunBtn = MakeButton("RunBtn", "集  計", inputs);
    RunBtn->setDefault(true);
    CancelBtn = MakeButton("CancelBtn", "中  止", inputs);
    runRow->addWidget(RunBtn);
    runRow->addWidget(CancelBtn);
    column->addLayout(runRow);
    ProgressBar1 = new QProgressBar(inputs);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setFormat(U("%v/%m日"));
    column->addWidget(ProgressBar1);
    StatusLabel = new QLabel(inputs);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setWordWrap(true);
    StatusLabel->setMinimumHeight(4 * fontMetrics().height());
    StatusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(StatusLabel);

    const auto on = [this](QPushButton* button, void (TBacktestForm::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    on(addArchive, &TBacktestForm::AddArchiveBtnClick);
    on(addFolder, &TBacktestForm::AddFolderBtnClick);
    on(addResults, &TBacktestForm::AddResultsBtnClick);
    on(RunBtn, &TBacktestForm::RunBtnClick);
    on(CancelBtn, &TBacktestForm::CancelBtnClick);
    connect(removeDay, &QPushButton::clicked, DayList, &TPathList::RemoveSelected);
    connect(removeResults, &QPushButton::clicked, ResultList, &TPathList::RemoveSelected);
    return inputs;
}

QWidget* TBacktestForm::BuildResults() {
    auto* results = new QWidget(this);
    auto* column = new QVBoxLayout(results);
    column->setContentsMargins(0, 0, 0, 0);
    Tabs = new QTabWidget(results);
    Tabs->setObjectName("Tabs");
    TypeGrid = MakeGrid("TypeGrid");
    MarkGrid = MakeGrid("MarkGrid");
    VenueGrid = MakeGrid("VenueGrid");
    MonthGrid = MakeGrid("MonthGrid");
    ProfitChart = new QChartView;
    ProfitChart->setObjectName("ProfitChart");
    RecoveryChart = new QChartView;
    RecoveryChart->setObjectName("RecoveryChart");
    for (QChartView* view : {ProfitChart, RecoveryChart}) view->setRenderHint(QPainter::Antialiasing);
    Tabs->addTab(TypeGrid, U("券種別"));
    Tabs->addTab(MarkGrid, U("印別"));
    Tabs->addTab(VenueGrid, U("場別"));
    Tabs->addTab(MonthGrid, U("月別"));
    Tabs->addTab(ProfitChart, U("推移"));
    Tabs->addTab(RecoveryChart, U("回収率"));
    column->addWidget(Tabs, 1);

    auto* saveRow = new QHBoxLayout;
    saveRow->addStretch(1);
    SaveCsvBtn = MakeButton("SaveCsvBtn", "買い目をCSVで保存...", results);
    SavePngBtn = MakeButton("SavePngBtn", "グラフをPNGで保存...", results);
    saveRow->addWidget(SaveCsvBtn);
    saveRow->addWidget(SavePngBtn);
    column->addLayout(saveRow);
    connect(SaveCsvBtn, &QPushButton::clicked, this, [this] { SaveCsvBtnClick(); });
    connect(SavePngBtn, &QPushButton::clicked, this, [this] { SavePngBtnClick(); });
    return results;
}

void TBacktestForm::Open(const std::string& day) {
    if (!day.empty()) AddDays({day});
    show();
    raise();
    activateWindow();
}

void TBacktestForm::AddDays(const std::vector<std::string>& paths) {
    DayList->AddPaths(paths);
}

void TBacktestForm::AddResults(const std::vector<std::string>& paths) {
    ResultList->AddPaths(paths);
}

void TBacktestForm::AddArchiveBtnClick() {
    Guarded(this, [this] {
        AddDays(
            hooks_.ChooseFiles(this, U("日のLZHﾌｧｲﾙの追加"), U("LZHファイル（RDX圧縮データ）(*.LZH *.lzh)")));
    });
}

void TBacktestForm::AddFolderBtnClick() {
    Guarded(this, [this] {
        if (const auto folder = hooks_.ChooseFolder(this, U("日のﾌｫﾙﾀﾞの追加"))) AddDays({*folder});
    });
}

void TBacktestForm::AddResultsBtnClick() {
    Guarded(this, [this] {
        AddResults(hooks_.ChooseFiles(this, U("成績ﾌｧｲﾙの追加"),
                                      U("成績ファイル (*.csv *.CSV);;すべてのファイル (*)")));
    });
}

void TBacktestForm::SetRunning(bool running) {
    for (QWidget* w : choices_) w->setEnabled(!running);
    RunBtn->setEnabled(!running);
    CancelBtn->setEnabled(running);
    SaveCsvBtn->setEnabled(!running && shown_ != nullptr);
    SavePngBtn->setEnabled(!running && shown_ != nullptr);
}

void TBacktestForm::RunBtnClick() {
    Guarded(this, [this] {
        if (Running()) return;
        SeasonOptions options{SeasonDays(DayList->Paths()),
                              ResultList->Paths(),
                              StakeBox->value(),
                              {GroupKey::Venue, GroupKey::Month},
                              true};
        if (options.Inputs.empty() || options.Results.empty()) {
            ShowMessageBox(this, QMessageBox::Warning, U("警告"),
                           options.Inputs.empty() ? U("集計する日がありません") : U("成績ﾌｧｲﾙがありません"));
            return;
        }
        stop_ = false;
        run_.reset();
        error_ = nullptr;
        dayErrors_.clear();
        warnings_ = 0;
        ProgressBar1->setRange(0, static_cast<int>(options.Inputs.size()));
        ProgressBar1->setValue(0);
        StatusLabel->setText(U("集計しています..."));
        worker_.reset(QThread::create([this, options] {
            Listener listener(*this);
            try {
                run_ = std::make_unique<SeasonResult>(hooks_.Run(options, listener));
            } catch (...) {
                error_ = std::current_exception();
            }
        }));
        connect(worker_.get(), &QThread::finished, this, &TBacktestForm::WorkDone);
        SetRunning(true);
        worker_->start();
    });
}

void TBacktestForm::CancelBtnClick() {
    if (!Running()) return;
    stop_ = true;
    CancelBtn->setEnabled(false);
    StatusLabel->setText(U("中止しています..."));
}

void TBacktestForm::ShowProgress(std::size_t day, std::size_t dayCount, const std::string& input) {
    if (!Running()) return;
    ProgressBar1->setValue(static_cast<int>(day));
    if (!stop_)
        StatusLabel->setText(U("%1/%2日目: %3")
                                 .arg(day + 1)
                                 .arg(dayCount)
                                 .arg(QFile::decodeName(QByteArray::fromStdString(input))));
}

void TBacktestForm::WorkDone() {
    if (!worker_) return;
    worker_->wait();
    worker_.reset();
    SetRunning(false);
    Guarded(this, [this] {
        if (error_) {
            StatusLabel->setText(U("集計できませんでした"));
            std::rethrow_exception(std::exchange(error_, nullptr));
        }
        if (run_->Stopped) {
            StatusLabel->setText(
                U("中止しました（%1日目の前）").arg(run_->Summary.Counts.Days + run_->FailedDays + 1));
            return;
        }
        ProgressBar1->setValue(ProgressBar1->maximum());
        Show(std::move(run_));
        if (!dayErrors_.empty()) {
            std::string text;
            for (const std::string& e : dayErrors_) text += (text.empty() ? "" : "\n") + e;
            ReportError(this, text);
        }
    });
    emit RunFinished();
}

void TBacktestForm::Show(std::unique_ptr<SeasonResult> run) {
    const BacktestReport report = MakeBacktestReport(run->Summary, ReportStyle::Reading);
    FillGrid(*TypeGrid, report.Types);
    FillGrid(*MarkGrid, report.Marks);
    FillGrid(*VenueGrid, LabelledTable(report.Groups[0]));
    FillGrid(*MonthGrid, LabelledTable(report.Groups[1]));
    SetChart(*ProfitChart, MakeProfitChart(run->Races, font()));
    SetChart(*RecoveryChart, MakeRecoveryChart(report, font()));
    StatusLabel->setText(Summary(*run, warnings_));
    shown_ = std::move(run);
    SetRunning(false);
}

void TBacktestForm::SaveCsvBtnClick() {
    Guarded(this, [this] {
        if (!shown_) return;
        const auto path = hooks_.ChooseSaveFile(this, U("買い目の保存"), U("CSVファイル (*.csv)"));
        if (!path) return;
        std::string csv;
        WriteTicketsCsv(shown_->Races, [&csv](std::string_view piece) { csv += piece; });
        SaveOutsideInputs(*path, csv);
    });
}

void TBacktestForm::SavePngBtnClick() {
    Guarded(this, [this] {
        if (!shown_) return;
        QChartView* view = Tabs->currentWidget() == RecoveryChart ? RecoveryChart : ProfitChart;
        const auto path = hooks_.ChooseSaveFile(this, U("グラフの保存"), U("PNG画像 (*.png)"));
        if (!path) return;
        // The chart as the tab shows it, laid out at the tab's size.
        Tabs->setCurrentWidget(view);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        view->grab().save(&buffer, "PNG");
        SaveOutsideInputs(*path, png.toStdString());
    });
}

// A save over a listed day or results file would destroy what the next run reads.
void TBacktestForm::SaveOutsideInputs(const std::string& path, const std::string& bytes) const {
    std::vector<RunFile> inputs;
    for (const std::string& day : DayList->Paths())
        for (std::string& file : InputFiles(day)) inputs.push_back({"集計する日のファイル", std::move(file)});
    for (const std::string& results : ResultList->Paths()) inputs.push_back({"成績ファイル", results});
    RefuseSaveOverInput(path, inputs);
    WriteUserFile(path, bytes);
}

void TBacktestForm::StopWorker() {
    if (!worker_) return;
    stop_ = true;
    worker_->wait();
}

// Closing the window stops a run; the lists and the figures stay for the next opening.
void TBacktestForm::closeEvent(QCloseEvent* event) {
    CancelBtnClick();
    event->accept();
}

}  // namespace talpo
