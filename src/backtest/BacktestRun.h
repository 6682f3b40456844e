// A season's back-test from the inputs a user names: the results read and checked whole first, so that a
// refused file costs no prediction, then each day loaded, predicted and scored in turn. The command line
// and the window both run it, so that they come to the same figures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "backtest/Backtest.h"
#include "day/TalpoDay.h"

namespace talpo {

// A day to score: a folder or an LZH archive as the user names it, or a day already loaded and predicted
// (the prediction window's), which Input then only names.
struct SeasonDay {
    std::string Input;
    std::shared_ptr<const TDay> Loaded;
};

// The days of these inputs, each to be read.
std::vector<SeasonDay> SeasonDays(const std::vector<std::string>& inputs);

struct SeasonOptions {
    std::vector<SeasonDay> Inputs;
    std::vector<std::string> Results;  // results files
    std::int64_t Stake = 100;          // a positive multiple of 100
    std::set<GroupKey> By;
    bool KeepTickets = false;  // the scored races' tickets are only kept when asked for
};

// A predicted race's tickets with the input its day came from.
struct InputRace {
    std::string Input;
    ScoredRace Race;
};

struct SeasonResult {
    BacktestSummary Summary;
    std::vector<InputRace> Races;  // in the order of the inputs and their races; when kept
    int FailedDays = 0;
    // Days with predicted races none of which the results name, by input: they add nothing to the figures.
    std::vector<std::string> DaysWithoutResults;
    bool Stopped = false;  // the listener stopped the run before its last day
};

// Hears how a run goes, on the thread that runs it.
class ISeasonListener {
public:
    virtual ~ISeasonListener() = default;
    // Before each day (day counts from 0); false stops the run here, with the figures of the days before.
    virtual bool DayStarting(std::size_t day, std::size_t dayCount, const std::string& input) = 0;
    virtual void Warning(const std::string& text) = 0;
    // A day that could not be loaded or predicted, named by its input; the run goes on with the next.
    virtual void DayFailed(const std::string& text) = 0;
};

// Raises the results' ETalpoError ("file:LINE: message") before any day is loaded; stops with ETalpoError
// when a race of a day was in an earlier input too (before that day is scored) or a sum of yen would leave
// the 64-bit range. A day that cannot be loaded is told to the listener and the run goes on.
SeasonResult RunSeason(const SeasonOptions& options, ISeasonListener& listener);

}  // namespace talpo
