// The results window's commands: the lists' buttons, a run of the worker and what it hands back, the saves,
// the help, and the window's place.
#include <QBuffer>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <algorithm>

#include "backtest/BacktestReport.h"
#include "backtest/StrategyReport.h"
#include "common/Cp932.h"
#include "common/TalpoError.h"
#include "common/UserFile.h"
#include "day/DayInput.h"
#include "paper/QtText.h"
#include "settings/TalpoIni.h"
#include "ui/BacktestCharts.h"
#include "ui/BacktestChoices.h"
#include "ui/BacktestForm.h"
#include "ui/ErrorGuard.h"
#include "ui/HelpWindow.h"
#include "ui/MessageBox.h"
#include "ui/PathList.h"
#include "ui/StrategyPanel.h"

namespace talpo {
namespace {

constexpr QSize kFirstSize(1000, 640);
constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

QString PathText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// A folder as the dialogs take it; the home folder when none is known.
QString StartFolder(const std::function<std::string()>& folder) {
    const std::string dir = folder ? folder() : std::string();
    return dir.empty() ? QDir::homePath() : PathText(dir);
}

// The extension the file was saved as, added when the name the user gave lacks it.
std::string WithExtension(const std::string& path, const std::string& extension) {
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        return text;
    };
    if (path.size() > extension.size() && lower(path.substr(path.size() - extension.size())) == extension)
        return path;
    return path + extension;
}

// UTF-8 text in CP932, a character CP932 cannot hold as "?": a spreadsheet's file must be whole.
std::string Cp932OrMarks(const std::string& utf8) {
    try {
        return Utf8ToCp932(utf8);
    } catch (const ETalpoError&) {
    }
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        try {
            out += Utf8ToCp932(utf8.substr(i, n));
        } catch (const ETalpoError&) {
            out += '?';
        }
        i += n;
    }
    return out;
}

// The tickets for a spreadsheet: as --csv writes them behind a byte-order mark, so that a spreadsheet
// reads them as UTF-8; or in Shift_JIS with Japanese headers and values, for one that reads only that.
std::string TicketsFile(const std::vector<InputRace>& races, bool forExcel) {
    std::string bytes = forExcel ? std::string() : std::string(kUtf8Bom);
    if (!forExcel) {
        WriteTicketsCsv(races, [&bytes](std::string_view piece) { bytes += piece; });
        return bytes;
    }
    TicketCsvRows(races, TicketWords::Japanese, [&bytes](const std::vector<std::string>& fields) {
        bytes += Cp932OrMarks(CsvLine(fields));
    });
    return bytes;
}

// The strategies' tickets as `backtest --strategies --csv` writes them, behind a byte-order mark.
std::string StrategyTicketsFile(const std::vector<Strategy>& strategies,
                                const std::vector<InputRace>& races) {
    std::string bytes = kUtf8Bom;
    StrategyTicketCsvRows(strategies, races,
                          [&bytes](const std::vector<std::string>& fields) { bytes += CsvLine(fields); });
    return bytes;
}

// "19980405-19980524", or one date; empty without races.
std::string SeasonSpan(const std::vector<InputRace>& races) {
    if (races.empty()) return {};
    const auto [first, last] =
        std::minmax_element(races.begin(), races.end(),
                            [](const InputRace& a, const InputRace& b) { return a.Race.Date < b.Race.Date; });
    if (first->Race.Date == last->Race.Date) return first->Race.Date;
    return first->Race.Date + "-" + last->Race.Date;
}

}  // namespace

// ---- The lists ----

// The paths a list refused, a line each, in one warning.
void TBacktestForm::WarnRefused(const std::vector<std::string>& refused) {
    if (refused.empty()) return;
    std::string text;
    for (const std::string& line : refused) text += (text.empty() ? "" : "\n") + line;
    ShowMessageBox(this, QMessageBox::Warning, U("警告"), QString::fromStdString(text));
}

void TBacktestForm::AddDaysTold(const std::vector<std::string>& paths) {
    WarnRefused(choices_->AddDays(paths));
}

void TBacktestForm::AddResultsTold(const std::vector<std::string>& paths) {
    WarnRefused(choices_->AddResults(paths));
}

void TBacktestForm::AddArchiveBtnClick() {
    Guarded(this, [this] {
        AddDaysTold(hooks_.ChooseFiles(this, U("集計する日の LZH ファイルを選択"),
                                       StartFolder(setup_.InputDir), U("LZH ファイル (*.LZH *.lzh)")));
    });
}

void TBacktestForm::AddFolderBtnClick() {
    Guarded(this, [this] {
        const auto folder =
            hooks_.ChooseFolder(this, U("集計する日のフォルダを選択（中にある日をすべて追加します）"),
                                StartFolder(setup_.InputDir));
        if (folder) AddDaysTold({*folder});
    });
}

void TBacktestForm::AddResultsBtnClick() {
    Guarded(this, [this] {
        AddResultsTold(hooks_.ChooseFiles(this, U("成績ファイルを選択"), StartFolder(setup_.InputDir),
                                          U("成績ファイル (*.csv *.CSV);;すべてのファイル (*)")));
    });
}

void TBacktestForm::RemoveDayBtnClick() {
    if (!running_) choices_->RemoveDays(DayList->SelectedRows());
}

void TBacktestForm::RemoveResultsBtnClick() {
    if (!running_) choices_->RemoveResults(ResultList->SelectedRows());
}

// ---- A run ----

void TBacktestForm::RunBtnClick() {
    Guarded(this, [this] {
        if (running_) return;
        SeasonOptions options = choices_->Options();
        const std::optional<std::string> stakeError = StakeError(options.Stake);
        if (stakeError || options.Inputs.empty() || options.Results.empty()) {
            ShowMessageBox(this, QMessageBox::Warning, U("警告"),
                           stakeError               ? QString::fromStdString(*stakeError)
                           : options.Inputs.empty() ? U("集計する日がありません")
                                                    : U("成績ファイルがありません"));
            return;
        }
        // The thread of the last run has ended its loop by now, or is about to.
        thread_.wait();
        ProgressBar1->setRange(0, static_cast<int>(options.Inputs.size()));
        ProgressBar1->setValue(0);
        StatusLabel->setText(U("集計しています..."));
        StatusBar1->clearMessage();
        worker_ = std::make_unique<TBacktestWorker>(TBacktestParams{std::move(options), hooks_.Run});
        worker_->moveToThread(&thread_);
        connect(&thread_, &QThread::started, worker_.get(), &TBacktestWorker::Run);
        connect(worker_.get(), &TBacktestWorker::Ended, &thread_, &QThread::quit, Qt::DirectConnection);
        connect(worker_.get(), &TBacktestWorker::DayStarting, this, &TBacktestForm::ShowProgress);
        connect(worker_.get(), &TBacktestWorker::Finished, this, &TBacktestForm::RunDone);
        connect(worker_.get(), &TBacktestWorker::Stopped, this, &TBacktestForm::RunStopped);
        connect(worker_.get(), &TBacktestWorker::Failed, this, &TBacktestForm::RunFailed);
        running_ = true;
        SetRunning(true);
        thread_.start();
    });
}

void TBacktestForm::CancelBtnClick() {
    if (!running_ || !worker_) return;
    worker_->Stop();
    CancelBtn->setEnabled(false);
    StatusLabel->setText(U("中止しています..."));
}

void TBacktestForm::ShowProgress(int day, int dayCount, const QString& input) {
    if (!running_) return;
    ProgressBar1->setValue(day);
    if (CancelBtn->isEnabled())
        StatusLabel->setText(U("%1/%2日目: %3").arg(day + 1).arg(dayCount).arg(input));
}

void TBacktestForm::RunDone(const TBacktestDone& done) {
    ProgressBar1->setValue(ProgressBar1->maximum());
    ShowFigures(done);
    EndRun();
    TellAfterRun(*shown_);
    emit RunFinished();
}

// Figures of the lists before a run that did not end would not be those of the lists shown.
void TBacktestForm::RunStopped(int day) {
    ClearFigures();
    StatusLabel->setText(U("中止しました（%1日目の前）").arg(day));
    EndRun();
    emit RunFinished();
}

void TBacktestForm::RunFailed(const std::exception_ptr& error) {
    ClearFigures();
    StatusLabel->setText(U("集計できませんでした"));
    EndRun();
    Guarded(this, [&error] { std::rethrow_exception(error); });
    emit RunFinished();
}

void TBacktestForm::EndRun() {
    running_ = false;
    SetRunning(false);
}

// The days that could not be read in the error box; the days the results have no race of, which the
// figures leave out, in a box of their own.
void TBacktestForm::TellAfterRun(const TBacktestDone& done) {
    if (!done.DayErrors.empty()) {
        std::string text;
        for (const std::string& e : done.DayErrors) text += (text.empty() ? "" : "\n") + e;
        ReportError(this, text);
    }
    if (!done.Run.DaysWithoutResults.empty()) {
        QString text = U("次の日は成績ファイルにレースが一つも無いため、集計に入っていません:");
        for (const std::string& day : done.Run.DaysWithoutResults) text += "\n" + PathText(day);
        ShowMessageBox(this, QMessageBox::Warning, U("警告"), text);
    }
}

void TBacktestForm::StopWorker() {
    if (worker_) worker_->Stop();
    thread_.quit();
    thread_.wait();
}

// ---- Saving ----

std::string TBacktestForm::SuggestedPath(const char* utf8Prefix, const char* extension) const {
    const std::string span = shown_ ? SeasonSpan(shown_->Run.Races) : std::string();
    const std::string dir = setup_.OutputDir ? setup_.OutputDir() : std::string();
    return dir + utf8Prefix + (span.empty() ? "" : "_" + span) + "." + extension;
}

// From the 戦略 and 比較 tabs, the tickets of the strategies checked; from the others, every ticket.
void TBacktestForm::SaveCsvBtnClick() {
    Guarded(this, [this] {
        if (!ShownMatchesChoices()) return;
        const bool strategies = StrategyTab();
        QStringList filters{U("CSV ファイル（UTF-8） (*.csv)")};
        if (!strategies) filters << U("Excel 用（Shift_JIS、日本語の値） (*.csv)");
        const auto choice = hooks_.ChooseSaveFile(
            this, strategies ? U("戦略の買い目を CSV で保存") : U("買い目を CSV で保存"),
            PathText(SuggestedPath(strategies ? "戦略" : "成績", "csv")), filters);
        if (!choice) return;
        const std::string path = WithExtension(choice->Path, ".csv");
        SaveOutsideInputs(
            path, strategies ? StrategyTicketsFile(StrategyPanel1->CheckedStrategies(), shown_->Run.Races)
                             : TicketsFile(shown_->Run.Races, choice->Filter == 1));
        TellSaved(path);
    });
}

void TBacktestForm::SavePngBtnClick() {
    Guarded(this, [this] {
        auto* view = qobject_cast<QChartView*>(Tabs->currentWidget());
        if (!ShownMatchesChoices() || view == nullptr) return;
        const std::string prefix = Tabs->tabText(Tabs->currentIndex()).toStdString();
        const auto choice =
            hooks_.ChooseSaveFile(this, U("グラフを PNG で保存"),
                                  PathText(SuggestedPath(prefix.c_str(), "png")), {U("PNG 画像 (*.png)")});
        if (!choice) return;
        const std::string path = WithExtension(choice->Path, ".png");
        // The chart as the tab shows it, at the tab's size.
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        view->grab().save(&buffer, "PNG");
        SaveOutsideInputs(path, png.toStdString());
        TellSaved(path);
    });
}

// A save over a listed day or results file would destroy what the next run reads.
void TBacktestForm::SaveOutsideInputs(const std::string& path, const std::string& bytes) const {
    std::vector<RunFile> inputs;
    for (const SeasonDay& day : choices_->Days()) {
        if (day.Loaded) continue;
        for (std::string& file : InputFiles(day.Input))
            inputs.push_back({"集計する日のファイル", std::move(file)});
    }
    for (const std::string& results : choices_->Results()) inputs.push_back({"成績ファイル", results});
    RefuseSaveOverInput(path, inputs);
    WriteUserFile(path, bytes);
}

void TBacktestForm::TellSaved(const std::string& path) {
    QString shown = PathText(path);
    const QString home = QDir::homePath() + QLatin1Char('/');
    if (shown.startsWith(home)) shown = QStringLiteral("~/") + shown.mid(home.size());
    StatusBar1->showMessage(U("保存しました: %1").arg(shown));
}

// ---- Help and place ----

void TBacktestForm::HelpKeyPress() {
    Guarded(this, [this] {
        if (!help_) help_ = std::make_unique<THelpWindow>();
        help_->ShowSection(setup_.HelpFile, QStringLiteral("backtest"), this);
    });
}

// The first time, the size and place kept in Talpo.ini (the size only when tied to an owner), else the first
// size centred; over the owner at every opening. Always within the screen.
void TBacktestForm::Place() {
    if (!placed_) {
        placed_ = true;
        std::optional<WindowPlace> kept;
        if (!setup_.SettingsFile.empty())
            kept = ReadWindowPlace(TIniFile(setup_.SettingsFile), kBacktestFormSection);
        const QScreen* screen = owner_ ? owner_->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen->availableGeometry();
        const QSize size = kept ? QSize(kept->Width, kept->Height) : kFirstSize;
        resize(size.boundedTo(area.size()));
        const QPoint corner =
            kept && !owner_ ? QPoint(kept->Left, kept->Top) : CentredBoxPlace(owner_, frameGeometry().size());
        move(std::clamp(corner.x(), area.left(), std::max(area.left(), area.right() - width())),
             std::clamp(corner.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    } else if (owner_ && !isVisible()) {
        move(CentredBoxPlace(owner_, frameGeometry().size()));
    }
}

void TBacktestForm::KeepPlace() {
    if (setup_.SettingsFile.empty() || !isVisible()) return;
    TIniFile ini(setup_.SettingsFile);
    WriteWindowPlace(ini, kBacktestFormSection, {x(), y(), width(), height()});
}

}  // namespace talpo
