// What the results windows run on: the days, the results files and the stake, one set for the whole
// program. The start window's results window and the prediction window's show the same lists, and what
// one changes the other shows at once.
#pragma once

#include <QObject>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "backtest/BacktestRun.h"
#include "day/TalpoDay.h"

namespace talpo {

class TBacktestChoices : public QObject {
    Q_OBJECT

public:
    explicit TBacktestChoices(QObject* parent = nullptr) : QObject(parent) {}

    // Paths to read (day folders, LZH archives), and days the prediction window loaded, by their titles.
    const std::vector<SeasonDay>& Days() const { return days_; }
    const std::vector<std::string>& Results() const { return results_; }
    // Yen per ticket as the user entered it, checked when a run starts (StakeError).
    std::int64_t Stake() const { return stake_; }

    // Adds every day each path holds (day/DayInput.h's DaysUnder) that is not listed yet, by the file it
    // names: "d/", "d" and "x/../d" are one day. Returns a line for each path that holds no day, saying why.
    std::vector<std::string> AddDays(const std::vector<std::string>& paths);
    // A day the prediction window loaded, by its title; kept in memory, so that it can still be scored when
    // that window has let its files go. A day listed already is not listed again.
    void AddLoadedDay(const std::string& title, std::shared_ptr<const TDay> day);
    // Adds the results files not listed yet; returns a line for each path that is no results file.
    std::vector<std::string> AddResults(const std::vector<std::string>& paths);
    void RemoveDays(const std::vector<int>& rows);
    void RemoveResults(const std::vector<int>& rows);
    void SetStake(std::int64_t yen);

    // What a run of the lists as they stand would be given.
    SeasonOptions Options() const;
    // Whether the lists and the stake are those of `options`: figures of other ones do not match them.
    bool Match(const SeasonOptions& options) const;

signals:
    void Changed();

private:
    std::vector<SeasonDay> days_;
    std::vector<std::string> results_;
    std::int64_t stake_ = 100;
};

// Why a stake cannot be run (UTF-8), or nothing for a stake the totalisator sells: whole hundreds of yen
// from 100 to the back-test's limit.
std::optional<std::string> StakeError(std::int64_t yen);

}  // namespace talpo
