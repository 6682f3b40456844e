// The results window's worker: a season run on a thread of its own, which tells the window how far it is
// and hands over the finished figures by signals, by value, so that nothing of the window is touched from
// that thread. A stop is asked for through an atomic flag and takes effect before the next day.
#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>
#include <atomic>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "backtest/BacktestReport.h"
#include "backtest/BacktestRun.h"

namespace talpo {

// Runs a season (backtest/BacktestRun.h's RunSeason; tests put in their own).
using SeasonRunner = std::function<SeasonResult(const SeasonOptions& options, ISeasonListener& listener)>;

// What a run is given.
struct TBacktestParams {
    SeasonOptions Options;
    SeasonRunner Run;
};

// A run that went to its end, as the window shows it.
struct TBacktestDone {
    SeasonOptions Options;  // what was run: figures of other lists do not match them
    SeasonResult Run;
    BacktestReport Report;               // the tables as the window reads them
    std::vector<std::string> DayErrors;  // a line per day that could not be read
    int MissingHorses = 0;
};

class TBacktestWorker : public QObject {
    Q_OBJECT

public:
    explicit TBacktestWorker(TBacktestParams params);

    // Runs the season on the thread the worker lives in; ends with exactly one of Finished, Stopped and
    // Failed, then Ended.
    void Run();
    // Asks the run to stop before its next day; from any thread.
    void Stop() { stop_ = true; }

signals:
    // Before each day (counted from 0).
    void DayStarting(int day, int dayCount, QString input);
    void Finished(talpo::TBacktestDone done);
    // Stopped before the day `day` (counted from 1).
    void Stopped(int day);
    // The results were refused, a race was met twice, or a sum left the range.
    void Failed(std::exception_ptr error);
    void Ended();

private:
    TBacktestParams params_;
    std::atomic<bool> stop_{false};
};

}  // namespace talpo

Q_DECLARE_METATYPE(talpo::TBacktestDone)
Q_DECLARE_METATYPE(std::exception_ptr)
