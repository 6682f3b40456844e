// The worker's run.
#include "ui/BacktestWorker.h"

#include <QFile>

namespace talpo {
namespace {

// The run's news, gathered on the worker's thread into what the worker hands over.
class Gatherer final : public ISeasonListener {
public:
    Gatherer(TBacktestWorker& worker, const std::atomic<bool>& stop, TBacktestDone& done)
        : worker_(worker), stop_(stop), done_(done) {}

    bool DayStarting(std::size_t day, std::size_t dayCount, const std::string& input) override {
        emit worker_.DayStarting(static_cast<int>(day), static_cast<int>(dayCount),
                                 QFile::decodeName(QByteArray::fromStdString(input)));
        return !stop_;
    }
    void Warning(const std::string&) override { ++done_.MissingHorses; }
    void DayFailed(const std::string& text) override { done_.DayErrors.push_back(text); }

private:
    TBacktestWorker& worker_;
    const std::atomic<bool>& stop_;
    TBacktestDone& done_;
};

}  // namespace

TBacktestWorker::TBacktestWorker(TBacktestParams params) : params_(std::move(params)) {
    qRegisterMetaType<TBacktestDone>();
    qRegisterMetaType<std::exception_ptr>();
}

void TBacktestWorker::Run() {
    TBacktestDone done;
    done.Options = params_.Options;
    try {
        Gatherer gatherer(*this, stop_, done);
        done.Run = params_.Run(params_.Options, gatherer);
        if (done.Run.Stopped) {
            emit Stopped(static_cast<int>(done.Run.Summary.Counts.Days) + done.Run.FailedDays + 1);
        } else {
            done.Report = MakeBacktestReport(done.Run.Summary, ReportStyle::Reading);
            emit Finished(std::move(done));
        }
    } catch (...) {
        emit Failed(std::current_exception());
    }
    emit Ended();
}

}  // namespace talpo
