// The 戦略 tab's layout, the editor's boxes to a strategy and back, and the strategies file kept up to date.
#include "ui/StrategyPanel.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "backtest/BacktestReport.h"
#include "backtest/StrategiesFile.h"
#include "data/Courses.h"
#include "paper/QtText.h"
#include "ui/ErrorGuard.h"

namespace talpo {
namespace {

constexpr std::array<const char*, 2> kSurfaces{"芝", "ダ"};

// A range box: its lowest value shows blank and leaves that end open. Stepping up from blank starts at a
// value a fan would pick, not at the lowest one.
class TRangeBox : public QSpinBox {
public:
    TRangeBox(int low, int high, int step, int start) : start_(start) {
        setRange(low - 1, high);
        setSingleStep(step);
        setSpecialValueText(" ");
        setValue(low - 1);
        setAlignment(Qt::AlignRight);
    }
    void stepBy(int steps) override {
        if (value() == minimum() && steps > 0)
            setValue(start_);
        else
            QSpinBox::stepBy(steps);
    }

private:
    int start_;
};

// What a range box pair writes for an open end: the file's own "any" (0, or the sample's 999).
struct RangeLook {
    int Low, High, Step, Start;
    std::int64_t OpenHigh;
};
constexpr RangeLook kDistanceLook{1000, 4000, 100, 1600, 9999};
constexpr RangeLook kRunnersLook{1, 18, 1, 10, 99};
constexpr RangeLook kRaceNoLook{1, 12, 1, 9, 99};
constexpr RangeLook kTopIndexLook{0, 998, 1, 80, 999};
constexpr RangeLook kGapLook{0, 998, 1, 5, 999};

// The editor's rows: a label on the left, its boxes left-aligned on the right.
class TEditorRows {
public:
    explicit TEditorRows(QWidget* box) : box_(box), grid_(new QGridLayout(box)) {
        grid_->setContentsMargins(0, 0, 0, 0);
    }
    QHBoxLayout* Line(const char* label) {
        auto* inner = new QHBoxLayout;
        grid_->addWidget(new QLabel(U(label), box_), row_, 0, Qt::AlignTop);
        grid_->addLayout(inner, row_++, 1);
        return inner;
    }
    QGridLayout* Grid(const char* label) {
        auto* inner = new QGridLayout;
        grid_->addWidget(new QLabel(U(label), box_), row_, 0, Qt::AlignTop);
        grid_->addLayout(inner, row_++, 1);
        return inner;
    }
    // Check boxes so many to a row, in columns.
    void Checks(const char* label, const QStringList& names, auto& into, int perRow) {
        QGridLayout* inner = Grid(label);
        inner->setColumnStretch(perRow, 1);
        for (int k = 0; k < names.size(); ++k) {
            auto* check = new QCheckBox(names[k], box_);
            inner->addWidget(check, k / perRow, k % perRow);
            into[static_cast<std::size_t>(k)] = check;
        }
    }
    QSpinBox* Spin(QHBoxLayout* inner, const RangeLook& look) {
        auto* spinBox = new TRangeBox(look.Low, look.High, look.Step, look.Start);
        spinBox->setFixedWidth(76);
        inner->addWidget(spinBox);
        return spinBox;
    }
    void Range(const char* label, TRangeBoxes& boxes, const RangeLook& look, const char* unit) {
        QHBoxLayout* inner = Line(label);
        boxes.From = Spin(inner, look);
        inner->addWidget(new QLabel(U("～"), box_));
        boxes.To = Spin(inner, look);
        inner->addWidget(new QLabel(U(unit), box_));
        inner->addStretch(1);
    }
    void End() {
        grid_->setColumnStretch(1, 1);
        grid_->setRowStretch(row_, 1);
    }

private:
    QWidget* box_;
    QGridLayout* grid_;
    int row_ = 0;
};

QStringList Utf8Texts(const auto& names) {
    QStringList list;
    for (const char* name : names) list << U(name);
    return list;
}

bool Blank(const QSpinBox* box) {
    return box->value() == box->minimum();
}

void ShowRange(const TRangeBoxes& boxes, const std::optional<IntRange>& range, const RangeLook& look) {
    boxes.From->setValue(range && range->Low > 0 ? static_cast<int>(range->Low) : boxes.From->minimum());
    boxes.To->setValue(range && range->High < look.OpenHigh ? static_cast<int>(range->High)
                                                            : boxes.To->minimum());
}

std::optional<IntRange> RangeOf(const TRangeBoxes& boxes, const RangeLook& look) {
    if (Blank(boxes.From) && Blank(boxes.To)) return std::nullopt;
    const std::int64_t low = Blank(boxes.From) ? 0 : boxes.From->value();
    const std::int64_t high = Blank(boxes.To) ? look.OpenHigh : boxes.To->value();
    return IntRange{low, std::max(low, high)};
}

// The checked boxes' texts (CP932) and those of the list before that no box stands for, in that order.
std::optional<std::vector<std::string>> ListOf(const std::vector<QCheckBox*>& boxes,
                                               const std::vector<std::string>& names,
                                               const std::optional<std::vector<std::string>>& before) {
    std::vector<std::string> list;
    for (std::size_t k = 0; k < boxes.size(); ++k)
        if (boxes[k]->isChecked()) list.push_back(names[k]);
    if (before)
        for (const std::string& name : *before)
            if (std::find(names.begin(), names.end(), name) == names.end()) list.push_back(name);
    if (list.empty()) return std::nullopt;
    return list;
}

void ShowList(const std::vector<QCheckBox*>& boxes, const std::vector<std::string>& names,
              const std::optional<std::vector<std::string>>& list) {
    for (std::size_t k = 0; k < boxes.size(); ++k)
        boxes[k]->setChecked(list && std::find(list->begin(), list->end(), names[k]) != list->end());
}

std::vector<std::string> Cp932Names(const auto& utf8Names) {
    std::vector<std::string> names;
    for (const char* name : utf8Names) names.push_back(Sj(name));
    return names;
}

std::size_t Characters(const std::string& utf8) {
    return static_cast<std::size_t>(QString::fromUtf8(utf8).toUcs4().size());
}

QPushButton* MakeButton(const char* name, const char* utf8Text, QWidget* parent) {
    auto* button = new QPushButton(U(utf8Text), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

std::optional<std::string> ChooseOpenFileWithDialog(QWidget* parent, const QString& title,
                                                    const QString& filter) {
    const QString file = QFileDialog::getOpenFileName(parent, title, QString(), filter);
    if (file.isEmpty()) return std::nullopt;
    return QFile::encodeName(file).toStdString();
}

std::optional<std::string> ChooseSaveFileWithDialog(QWidget* parent, const QString& title,
                                                    const QString& filter) {
    const QString file = QFileDialog::getSaveFileName(parent, title, QString(), filter);
    if (file.isEmpty()) return std::nullopt;
    return QFile::encodeName(file).toStdString();
}

std::optional<std::string> AskNameWithDialog(QWidget* parent, const QString& title, const std::string& name) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, U("戦略の名前:"), QLineEdit::Normal,
                                               QString::fromStdString(name), &ok);
    if (!ok) return std::nullopt;
    return text.trimmed().toStdString();
}

TStrategyPanelHooks WithDefaults(TStrategyPanelHooks hooks) {
    if (!hooks.ChooseOpenFile) hooks.ChooseOpenFile = ChooseOpenFileWithDialog;
    if (!hooks.ChooseSaveFile) hooks.ChooseSaveFile = ChooseSaveFileWithDialog;
    if (!hooks.AskName) hooks.AskName = AskNameWithDialog;
    return hooks;
}

const QString kFileFilter = QStringLiteral("TOML (*.toml);;*");

}  // namespace

TStrategyPanel::TStrategyPanel(QWidget* parent, TStrategyPanelHooks hooks)
    : QWidget(parent),
      hooks_(WithDefaults(std::move(hooks))),
      strategies_{DefaultStrategy()},
      checked_{true} {
    setObjectName("StrategyPanel");
    auto* row = new QHBoxLayout(this);
    row->addWidget(BuildList());
    // The editor scrolls rather than widen the window past a small screen.
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(BuildEditor());
    row->addWidget(scroll, 1);
    ConnectEditor();
    FillList(0);
}

QWidget* TStrategyPanel::BuildList() {
    auto* box = new QWidget(this);
    box->setFixedWidth(230);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel(U("比べる戦略にチェック:"), box));
    List = new QListWidget(box);
    List->setObjectName("StrategyList");
    column->addWidget(List, 1);
    auto* buttons = new QGridLayout;
    AddBtn = MakeButton("AddBtn", "追加(&N)", box);
    DuplicateBtn = MakeButton("DuplicateBtn", "複製(&Y)", box);
    RenameBtn = MakeButton("RenameBtn", "名前変更(&M)", box);
    DeleteBtn = MakeButton("DeleteBtn", "削除(&X)", box);
    UpBtn = MakeButton("UpBtn", "上へ(&U)", box);
    DownBtn = MakeButton("DownBtn", "下へ(&J)", box);
    ImportBtn = MakeButton("ImportBtn", "インポート(&I)…", box);
    ExportBtn = MakeButton("ExportBtn", "エクスポート(&E)…", box);
    const std::array<QPushButton*, 8> all{AddBtn, DuplicateBtn, RenameBtn, DeleteBtn,
                                          UpBtn,  DownBtn,      ImportBtn, ExportBtn};
    for (std::size_t k = 0; k < all.size(); ++k)
        buttons->addWidget(all[k], static_cast<int>(k / 2), static_cast<int>(k % 2));
    column->addLayout(buttons);

    auto* split = new QHBoxLayout;
    SplitCheck = new QCheckBox(U("期間で分ける(&B)"), box);
    SplitCheck->setObjectName("SplitCheck");
    SplitDate = new QDateEdit(box);
    SplitDate->setObjectName("SplitDate");
    SplitDate->setDisplayFormat("yyyy/MM/dd");
    SplitDate->setCalendarPopup(true);
    SplitDate->setEnabled(false);
    SplitDate->setToolTip(U("この日より前と、この日からあとに分けて集計します"));
    split->addWidget(SplitCheck);
    split->addWidget(SplitDate);
    column->addLayout(split);

    ConnectList();
    return box;
}

void TStrategyPanel::ConnectList() {
    connect(AddBtn, &QPushButton::clicked, this, [this] { AddBtnClick(); });
    connect(DuplicateBtn, &QPushButton::clicked, this, [this] { DuplicateBtnClick(); });
    connect(RenameBtn, &QPushButton::clicked, this, [this] { RenameBtnClick(); });
    connect(DeleteBtn, &QPushButton::clicked, this, [this] { DeleteBtnClick(); });
    connect(UpBtn, &QPushButton::clicked, this, [this] { MoveBtnClick(-1); });
    connect(DownBtn, &QPushButton::clicked, this, [this] { MoveBtnClick(1); });
    connect(ImportBtn, &QPushButton::clicked, this, [this] { ImportBtnClick(); });
    connect(ExportBtn, &QPushButton::clicked, this, [this] { ExportBtnClick(); });
    connect(SplitCheck, &QCheckBox::toggled, this, [this](bool on) {
        SplitDate->setEnabled(on);
        emit StrategiesChanged();
    });
    connect(SplitDate, &QDateEdit::dateChanged, this, [this] {
        if (SplitCheck->isChecked()) emit StrategiesChanged();
    });
    connect(List, &QListWidget::currentRowChanged, this, [this] { FillEditor(); });
    connect(List, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = List->row(item);
        if (filling_ || row < 0) return;
        checked_[static_cast<std::size_t>(row)] = item->checkState() == Qt::Checked;
        emit StrategiesChanged();
    });
}

QWidget* TStrategyPanel::BuildEditor() {
    Editor = new QGroupBox(this);
    Editor->setObjectName("StrategyEditor");
    auto* column = new QVBoxLayout(Editor);
    column->addWidget(BuildConditions(), 1);
    auto* note = new QLabel(U("空の条件は絞り込みません。どの条件も満たすレースだけを買います。"), Editor);
    note->setWordWrap(true);
    column->addWidget(note);
    return Editor;
}

QWidget* TStrategyPanel::BuildConditions() {
    auto* box = new QWidget(Editor);
    TEditorRows rows(box);
    QStringList bets;
    for (std::size_t k = 0; k < BetChecks.size(); ++k) bets << FromCp932(BetTypeTitles()[k]);
    rows.Checks("券種:", bets, BetChecks, 4);
    QHBoxLayout* counts = rows.Line("点数:");
    const auto count = [&](const char* label, QSpinBox*& spinBox, int most) {
        counts->addWidget(new QLabel(U(label), box));
        spinBox = new QSpinBox(box);
        spinBox->setRange(1, most);
        spinBox->setSuffix(U(" 点"));
        spinBox->setToolTip(U("レースの推奨の先頭から何点まで買うか"));
        counts->addWidget(spinBox);
    };
    count("複勝", PlacesBox, kMaxPlaceTickets);
    counts->addSpacing(8);
    count("枠連・馬連", PairsBox, kMaxPairTickets);
    counts->addStretch(1);
    VenueChecks.resize(kCourseNames.size());
    rows.Checks("場:", Utf8Texts(kCourseNames), VenueChecks, 5);
    rows.Checks("芝・ダート:", Utf8Texts(kSurfaces), SurfaceChecks, 5);
    classGrid_ = rows.Grid("クラス:");
    classGrid_->setColumnStretch(3, 1);
    rows.Range("距離:", Distance, kDistanceLook, "m");
    rows.Range("頭数:", Runners, kRunnersLook, "頭");
    rows.Range("レース番号:", RaceNo, kRaceNoLook, "R");
    rows.Range("◎の指数:", TopIndex, kTopIndexLook, "");
    QHBoxLayout* gap = rows.Line("◎－○の指数差:");
    GapBox = rows.Spin(gap, kGapLook);
    gap->addWidget(new QLabel(U("以上（○のないレースは買いません）"), box));
    gap->addStretch(1);
    static const std::array<const char*, 12> kMonths{"1月", "2月", "3月", "4月",  "5月",  "6月",
                                                     "7月", "8月", "9月", "10月", "11月", "12月"};
    rows.Checks("月:", Utf8Texts(kMonths), MonthChecks, 6);
    rows.End();
    return box;
}

void TStrategyPanel::ConnectEditor() {
    const auto onCheck = [this](QCheckBox* check) {
        connect(check, &QCheckBox::toggled, this, [this] { EditorChanged(); });
    };
    const auto onSpin = [this](QSpinBox* box) {
        connect(box, &QSpinBox::valueChanged, this, [this] { EditorChanged(); });
    };
    for (QCheckBox* check : BetChecks) onCheck(check);
    for (QCheckBox* check : VenueChecks) onCheck(check);
    for (QCheckBox* check : SurfaceChecks) onCheck(check);
    for (QCheckBox* check : MonthChecks) onCheck(check);
    for (QSpinBox* box : {PlacesBox, PairsBox, Distance.From, Distance.To, Runners.From, Runners.To,
                          RaceNo.From, RaceNo.To, TopIndex.From, TopIndex.To, GapBox})
        onSpin(box);
}

void TStrategyPanel::Load(const std::string& folder) {
    folder_ = folder;
    LoadedStrategies loaded = LoadStrategies(FilePath());
    strategies_ = std::move(loaded.Strategies);
    checked_.assign(strategies_.size(), true);
    badFile_ = loaded.Error.has_value();
    FillList(0);
    if (badFile_)
        ReportError(this, std::string(loaded.Error->what()) +
                              "\n\n既定の戦略だけで始めます。このファイルはそのままにし、戦略を変えたときに "
                              "strategies.toml.bad として残してから書き直します。");
}

std::string TStrategyPanel::FilePath() const {
    return folder_ + kStrategiesFileName;
}

std::vector<Strategy> TStrategyPanel::CheckedStrategies() const {
    std::vector<Strategy> checked;
    for (std::size_t k = 0; k < strategies_.size(); ++k)
        if (checked_[k]) checked.push_back(strategies_[k]);
    return checked;
}

std::string TStrategyPanel::Split() const {
    if (!SplitCheck->isChecked()) return {};
    return SplitDate->date().toString("yyyyMMdd").toStdString();
}

void TStrategyPanel::SetRunFacts(const std::vector<std::string>& classes, const std::string& middleDate) {
    runClasses_ = classes;
    const QDate date = QDate::fromString(QString::fromStdString(middleDate), "yyyyMMdd");
    if (date.isValid()) {
        const QSignalBlocker quiet(SplitDate);
        SplitDate->setDate(date);
    }
    FillEditor();
}

int TStrategyPanel::Selected() const {
    return List->currentRow();
}

void TStrategyPanel::FillList(int select) {
    filling_ = true;
    List->clear();
    for (std::size_t k = 0; k < strategies_.size(); ++k) {
        auto* item = new QListWidgetItem(QString::fromStdString(strategies_[k].Name), List);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(checked_[k] ? Qt::Checked : Qt::Unchecked);
    }
    filling_ = false;
    List->setCurrentRow(std::clamp(select, 0, static_cast<int>(strategies_.size()) - 1));
    FillEditor();
}

// The class boxes: the run's classes, then any the selected strategy names that the run had none of.
void TStrategyPanel::FillClasses() {
    for (QCheckBox* check : ClassChecks) delete check;
    ClassChecks.clear();
    std::vector<std::string> names = runClasses_;
    const int s = Selected();
    if (s >= 0 && strategies_[static_cast<std::size_t>(s)].When.Classes)
        for (const std::string& c : *strategies_[static_cast<std::size_t>(s)].When.Classes)
            if (std::find(names.begin(), names.end(), c) == names.end()) names.push_back(c);
    for (const std::string& name : names) {
        auto* check = new QCheckBox(FromCp932(name), Editor);
        check->setProperty("cp932", QByteArray::fromStdString(name));
        const int k = static_cast<int>(ClassChecks.size());
        classGrid_->addWidget(check, k / 3, k % 3);
        connect(check, &QCheckBox::toggled, this, [this] { EditorChanged(); });
        ClassChecks.push_back(check);
    }
    if (names.empty()) {
        auto* none = new QCheckBox(U("（集計後に並びます）"), Editor);
        none->setEnabled(false);
        classGrid_->addWidget(none, 0, 0, 1, 3);
        ClassChecks.push_back(none);
    }
}

void TStrategyPanel::FillEditor() {
    const int s = Selected();
    if (s < 0) return;
    const Strategy& strategy = strategies_[static_cast<std::size_t>(s)];
    filling_ = true;
    FillClasses();
    for (std::size_t k = 0; k < BetChecks.size(); ++k) BetChecks[k]->setChecked(strategy.Bets[k]);
    PlacesBox->setValue(strategy.Places);
    PairsBox->setValue(strategy.Pairs);
    const StrategyWhen& w = strategy.When;
    ShowList(VenueChecks, Cp932Names(kCourseNames), w.Venues);
    const std::vector<QCheckBox*> surfaces(SurfaceChecks.begin(), SurfaceChecks.end());
    ShowList(surfaces, Cp932Names(kSurfaces), w.Surfaces);
    for (QCheckBox* check : ClassChecks) {
        const std::string name = check->property("cp932").toByteArray().toStdString();
        check->setChecked(w.Classes &&
                          std::find(w.Classes->begin(), w.Classes->end(), name) != w.Classes->end());
    }
    ShowRange(Distance, w.Distance, kDistanceLook);
    ShowRange(Runners, w.Runners, kRunnersLook);
    ShowRange(RaceNo, w.RaceNo, kRaceNoLook);
    ShowRange(TopIndex, w.TopIndex, kTopIndexLook);
    GapBox->setValue(w.IndexGap ? static_cast<int>(w.IndexGap->Low) : GapBox->minimum());
    for (std::size_t m = 0; m < MonthChecks.size(); ++m)
        MonthChecks[m]->setChecked(w.Months && (*w.Months)[m + 1]);
    // The default strategy is the measure of the others: every ticket, as it is.
    const bool fixed = s == 0;
    Editor->setEnabled(!fixed);
    Editor->setTitle(
        fixed ? U("「%1」（すべての買い目：変えられません）").arg(QString::fromStdString(strategy.Name))
              : U("「%1」の中身").arg(QString::fromStdString(strategy.Name)));
    DeleteBtn->setEnabled(!fixed);
    RenameBtn->setEnabled(!fixed);
    UpBtn->setEnabled(s > 1);
    DownBtn->setEnabled(!fixed && s + 1 < static_cast<int>(strategies_.size()));
    filling_ = false;
}

Strategy TStrategyPanel::FromEditor(const Strategy& before) const {
    Strategy s = before;
    for (std::size_t k = 0; k < BetChecks.size(); ++k) s.Bets[k] = BetChecks[k]->isChecked();
    s.Places = PlacesBox->value();
    s.Pairs = PairsBox->value();
    StrategyWhen& w = s.When;
    w.Venues = ListOf(VenueChecks, Cp932Names(kCourseNames), before.When.Venues);
    const std::vector<QCheckBox*> surfaces(SurfaceChecks.begin(), SurfaceChecks.end());
    w.Surfaces = ListOf(surfaces, Cp932Names(kSurfaces), before.When.Surfaces);
    std::vector<QCheckBox*> classes;
    std::vector<std::string> classNames;
    for (QCheckBox* check : ClassChecks) {
        if (!check->isEnabled()) continue;
        classes.push_back(check);
        classNames.push_back(check->property("cp932").toByteArray().toStdString());
    }
    w.Classes = ListOf(classes, classNames, before.When.Classes);
    w.Distance = RangeOf(Distance, kDistanceLook);
    w.Runners = RangeOf(Runners, kRunnersLook);
    w.RaceNo = RangeOf(RaceNo, kRaceNoLook);
    w.TopIndex = RangeOf(TopIndex, kTopIndexLook);
    w.IndexGap = Blank(GapBox) ? std::nullopt : std::optional(IntRange{GapBox->value(), kGapLook.OpenHigh});
    std::array<bool, 13> months{};
    bool anyMonth = false;
    for (std::size_t m = 0; m < MonthChecks.size(); ++m)
        anyMonth |= months[m + 1] = MonthChecks[m]->isChecked();
    w.Months = anyMonth ? std::optional(months) : std::nullopt;
    return s;
}

void TStrategyPanel::EditorChanged() {
    const int s = Selected();
    if (filling_ || s <= 0) return;
    Strategy& strategy = strategies_[static_cast<std::size_t>(s)];
    Strategy edited = FromEditor(strategy);
    if (edited == strategy) return;
    strategy = std::move(edited);
    Changed();
}

void TStrategyPanel::Changed() {
    Guarded(this, [this] { Save(); });
    emit StrategiesChanged();
}

// The file is only written on a change of the user's: a file refused at start is kept aside first.
void TStrategyPanel::Save() {
    if (folder_.empty()) return;
    const std::string path = FilePath();
    if (badFile_) {
        std::error_code ignored;
        std::filesystem::copy_file(path, path + ".bad", std::filesystem::copy_options::overwrite_existing,
                                   ignored);
        badFile_ = false;
    }
    WriteStrategies(path, strategies_);
}

std::string TStrategyPanel::UniqueName(const std::string& wanted) const {
    const auto taken = [this](const std::string& name) {
        return std::any_of(strategies_.begin(), strategies_.end(),
                           [&name](const Strategy& s) { return s.Name == name; });
    };
    QString base = QString::fromStdString(wanted);
    for (int n = 1;; ++n) {
        const QString suffix = n == 1 ? QString() : U("（%1）").arg(n);
        const std::string name =
            (base.left(static_cast<int>(kMaxStrategyNameLength) - suffix.size()) + suffix).toStdString();
        if (!taken(name)) return name;
    }
}

void TStrategyPanel::AddBtnClick() {
    Guarded(this, [this] {
        Strategy s;
        s.Name = UniqueName("新しい戦略");
        const int at = Selected() + 1;
        strategies_.insert(strategies_.begin() + at, s);
        checked_.insert(checked_.begin() + at, true);
        FillList(at);
        Changed();
    });
}

void TStrategyPanel::DuplicateBtnClick() {
    Guarded(this, [this] {
        const int s = Selected();
        if (s < 0) return;
        Strategy copy = strategies_[static_cast<std::size_t>(s)];
        copy.Name = UniqueName(copy.Name + "のコピー");
        copy.Line = 0;
        strategies_.insert(strategies_.begin() + s + 1, copy);
        checked_.insert(checked_.begin() + s + 1, true);
        FillList(s + 1);
        Changed();
    });
}

void TStrategyPanel::RenameBtnClick() {
    Guarded(this, [this] {
        const int s = Selected();
        if (s <= 0) return;
        Strategy& strategy = strategies_[static_cast<std::size_t>(s)];
        const auto name = hooks_.AskName(this, U("戦略の名前変更"), strategy.Name);
        if (!name || *name == strategy.Name) return;
        if (name->empty() || Characters(*name) > kMaxStrategyNameLength) {
            ReportError(
                this, "戦略の名前は 1 文字から " + std::to_string(kMaxStrategyNameLength) + " 文字までです");
            return;
        }
        if (UniqueName(*name) != *name) {
            ReportError(this, "「" + *name + "」という戦略はもうあります");
            return;
        }
        strategy.Name = *name;
        FillList(s);
        Changed();
    });
}

void TStrategyPanel::DeleteBtnClick() {
    Guarded(this, [this] {
        const int s = Selected();
        if (s <= 0) return;
        strategies_.erase(strategies_.begin() + s);
        checked_.erase(checked_.begin() + s);
        FillList(s);
        Changed();
    });
}

void TStrategyPanel::MoveBtnClick(int by) {
    Guarded(this, [this, by] {
        const int s = Selected();
        const int to = s + by;
        if (s <= 0 || to <= 0 || to >= static_cast<int>(strategies_.size())) return;
        std::swap(strategies_[static_cast<std::size_t>(s)], strategies_[static_cast<std::size_t>(to)]);
        const bool c = checked_[static_cast<std::size_t>(s)];
        checked_[static_cast<std::size_t>(s)] = checked_[static_cast<std::size_t>(to)];
        checked_[static_cast<std::size_t>(to)] = c;
        FillList(to);
        Changed();
    });
}

// The file's strategies take the place of the list's, after the default as at start.
void TStrategyPanel::ImportBtnClick() {
    Guarded(this, [this] {
        const auto path = hooks_.ChooseOpenFile(this, U("戦略のインポート"), kFileFilter);
        if (!path) return;
        std::vector<Strategy> read = ReadStrategies(*path);
        const Strategy standard = DefaultStrategy();
        std::erase_if(read, [&standard](const Strategy& s) { return s.Name == standard.Name; });
        read.insert(read.begin(), standard);
        strategies_ = std::move(read);
        checked_.assign(strategies_.size(), true);
        FillList(0);
        Changed();
    });
}

void TStrategyPanel::ExportBtnClick() {
    Guarded(this, [this] {
        const auto path = hooks_.ChooseSaveFile(this, U("戦略のエクスポート"), kFileFilter);
        if (path) WriteStrategies(*path, strategies_);
    });
}

}  // namespace talpo
