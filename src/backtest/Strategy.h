// Strategies: which of the recommended tickets a fan would buy, and in which races. A strategy is a choice
// of bet types with the number of place and pair tickets kept, and conditions a race must meet; its
// figures are tallied from the races the back-test scores, beside the figures of all of TALPO's tickets,
// and split at a date into the races before it and those from it on.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "backtest/Backtest.h"
#include "backtest/BacktestRun.h"

namespace talpo {

// Both ends included.
struct IntRange {
    std::int64_t Low = 0;
    std::int64_t High = 0;
    bool operator==(const IntRange&) const = default;
};

// Each condition is met when not given; a given list or range is met only by a race whose field is in it.
struct StrategyWhen {
    std::optional<std::vector<std::string>> Venues;  // CP932
    std::optional<std::vector<std::string>> Surfaces;
    std::optional<std::vector<std::string>> Classes;
    std::optional<IntRange> Distance;
    std::optional<IntRange> Runners;
    std::optional<IntRange> RaceNo;
    std::optional<std::array<bool, 13>> Months;  // by month number; [0] unused
    std::optional<IntRange> TopIndex;
    std::optional<IntRange> IndexGap;
    bool operator==(const StrategyWhen&) const = default;
};

inline constexpr int kMaxPlaceTickets = static_cast<int>(kPlaceSlots);
inline constexpr int kMaxPairTickets = static_cast<int>(kPairSlots);

struct Strategy {
    // UTF-8 as the file wrote it: a label for the reports, which are UTF-8, never compared with the data.
    std::string Name;
    int Line = 0;  // of its [[strategy]] in the file
    std::array<bool, kBetTypeCount> Bets{true, true, true, true};
    int Places = kMaxPlaceTickets;  // the first N of the race's place tickets
    int Pairs = kMaxPairTickets;    // the first N of the race's pair tickets
    StrategyWhen When;
    bool operator==(const Strategy&) const = default;  // Line too
};

bool Meets(const Strategy& strategy, const ScoredRace& race);

// The race's tickets the strategy buys, in their order: those of its types, of the place tickets only the
// first Places and of the pair tickets the first Pairs (counted among all of the race's, whatever the
// types).
void ChooseTickets(const Strategy& strategy, const std::vector<Ticket>& tickets, std::vector<Ticket>& chosen);

// Figures over a part of the season: Races counts its predicted races (for a strategy, those that meet its
// conditions).
struct PartFigures {
    std::int64_t Races = 0;
    TypeTable Types;
};

struct StrategyFigures {
    PartFigures All;
    PartFigures Before;  // with a split date: the races dated before it
    PartFigures From;    // and those dated on it or later
};

class StrategyTally {
public:
    // split: YYYYMMDD, or empty for no split.
    StrategyTally(std::vector<Strategy> strategies, std::string split);

    // Each predicted race in the order scored.
    void Add(const ScoredRace& race);

    const std::vector<Strategy>& Strategies() const { return strategies_; }
    const std::vector<StrategyFigures>& Figures() const { return figures_; }  // by strategy
    bool Split() const { return !split_.empty(); }
    // All of TALPO's tickets before the split date and from it on.
    const PartFigures& Before() const { return before_; }
    const PartFigures& From() const { return from_; }

private:
    std::vector<Strategy> strategies_;
    std::string split_;
    std::vector<StrategyFigures> figures_;
    PartFigures before_;
    PartFigures from_;
    std::vector<Ticket> chosen_;  // kept between races to spare an allocation each
};

// The strategies' figures over a season's predicted races as a run keeps them (SeasonOptions::KeepTickets),
// in their order. The command line tallies the same way after its run, so that any front end that keeps the
// races re-scores other strategies or another split date without predicting again and comes to the
// command's figures. split: YYYYMMDD, or empty for no split.
StrategyTally TallyStrategies(const std::vector<InputRace>& races, std::vector<Strategy> strategies,
                              std::string split);

// A point of a strategy's running profit: after a race in which it bought a ticket that was scored.
struct ProfitPoint {
    std::size_t Race = 0;     // its index among the races given
    std::size_t Scored = 0;   // its place among their scored races, counted from 0
    std::int64_t Profit = 0;  // yen, over this race and those before
};

// One point per race the strategy bought in, in the races' order: the same races and sums that its total's
// drawdown (backtest/BacktestRisk.h) follows.
std::vector<ProfitPoint> RunningProfit(const Strategy& strategy, const std::vector<InputRace>& races);

// The date of the middle day of a set of days, the default split date: the dates (YYYYMMDD; others are
// ignored, a date given twice counts once) sorted, the middle one, and of an even count the later of the
// two middle ones, so that the later part is never the smaller. Empty when no date is given.
std::string MiddleDate(const std::vector<std::string>& dates);
// The same over the dates of a run's races.
std::string MiddleDate(const std::vector<InputRace>& races);

}  // namespace talpo
