// The back-test: the bets the engine recommended for each predicted race, scored against race results under
// the payout rules (dead heats, scratches, cancellations, types not sold), and tallied per bet type, per mark
// and per group of races.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "backtest/BetType.h"
#include "backtest/RaceFacts.h"
#include "backtest/ResultsFile.h"
#include "predict/RdxYosoClass.h"

namespace talpo {

enum class Outcome { Hit, Miss, Refunded, NotSold, NoResult };

// "hit", "miss", "refunded", "not_sold", "no_result".
const char* OutcomeName(Outcome outcome);

struct Ticket {
    BetType Type = BetType::Win;
    int First = 0;
    int Second = 0;  // 0 for a single horse; else the greater number of the pair
    Outcome Result = Outcome::NoResult;
    std::int64_t Stake = 0;  // only hits and misses are bought
    std::int64_t Return = 0;
};

// A predicted race's tickets, in the order they are bought: win, places, pairs.
struct ScoredRace {
    std::string Date;     // the store's race date, blanks trimmed
    std::string Venue;    // CP932
    std::string RaceNo;   // the store's race number, blanks trimmed
    bool Scored = false;  // its result was found and the race was run: a place on the season's way
    std::vector<Ticket> Tickets;
    RaceFacts Facts;  // what a strategy's conditions ask of the race
};

// What one race's bought tickets of a type cost and paid.
struct RaceMoney {
    std::int64_t Stake = 0;
    std::int64_t Return = 0;
};

struct TypeFigures {
    std::int64_t Races = 0;  // races with a bought ticket
    std::int64_t Tickets = 0;
    std::int64_t Hits = 0;
    std::int64_t HitRaces = 0;
    std::int64_t Refunded = 0;
    std::int64_t NotSold = 0;
    std::int64_t Stake = 0;
    std::int64_t Return = 0;
    std::int64_t LongestLosingStreak = 0;
    std::int64_t LosingStreak = 0;  // the run still going at the last race counted
    // Each race counted in Races, in the order counted: the drawdown and the range of the rate
    // (backtest/BacktestRisk.h) need the races one by one, not only their sums.
    std::vector<RaceMoney> PerRace;
};

// The four bet types in BetType's order, then the total.
inline constexpr std::size_t kTotal = kBetTypeCount;
using TypeTable = std::array<TypeFigures, kBetTypeCount + 1>;

// A runner's result under one of the engine's marks, as a win and a place ticket on it would have fared.
struct MarkFigures {
    std::int64_t WinRuns = 0;
    std::int64_t Wins = 0;
    std::int64_t WinReturn = 0;
    std::int64_t PlaceRuns = 0;
    std::int64_t Places = 0;
    std::int64_t PlaceReturn = 0;
};

enum class GroupKey { Venue, Month, Year };
inline constexpr std::size_t kGroupKeyCount = 3;

// What each key is called, held here once: the command line's and the JSON's name, the title of its tables
// and the title of its label column (UTF-8).
struct GroupKeyWords {
    GroupKey Key;
    const char* Name;    // "venue": --by venue, "by_venue"
    const char* Title;   // 場別
    const char* Column;  // 場
};
inline constexpr std::array<GroupKeyWords, kGroupKeyCount> kGroupKeys{
    {{GroupKey::Venue, "venue", "場別", "場"},
     {GroupKey::Month, "month", "月別", "月"},
     {GroupKey::Year, "year", "年別", "年"}}};

// WordsOf finds a key's words at the key's place.
static_assert([] {
    for (std::size_t k = 0; k < kGroupKeyCount; ++k)
        if (static_cast<std::size_t>(kGroupKeys[k].Key) != k) return false;
    return true;
}());

inline const GroupKeyWords& WordsOf(GroupKey key) {
    return kGroupKeys[static_cast<std::size_t>(key)];
}
// "venue", "month", "year".
inline const char* GroupKeyName(GroupKey key) {
    return WordsOf(key).Name;
}
// The key of that name, or nothing.
std::optional<GroupKey> GroupKeyNamed(std::string_view name);

struct BacktestCounts {
    std::int64_t Days = 0;
    std::int64_t Races = 0;
    std::int64_t PredictedRaces = 0;
    std::int64_t RacesWithoutPrediction = 0;
    std::int64_t RacesWithoutResult = 0;  // predicted ones
    std::int64_t CancelledRaces = 0;      // predicted ones
    std::int64_t ScoredRaces = 0;
    std::int64_t UnmatchedResultRaces = 0;
};

struct BacktestSummary {
    std::int64_t Stake = 100;
    BacktestCounts Counts;
    TypeTable Types;
    std::array<MarkFigures, kMarkCount> Marks;
    // Per key asked for: the groups by label (CP932 venue name, "YYYY-MM", "YYYY") in label order.
    std::map<GroupKey, std::map<std::string, TypeTable>> Groups;
};

// Adds a race's tickets to a table: each type's figures and the total's, the streaks and PerRace.
void TallyRace(TypeTable& table, const std::vector<Ticket>& tickets);

// a / b, or nothing when b is 0.
std::optional<double> Ratio(std::int64_t a, std::int64_t b);

// A bet type's rates, each nothing where what it is a share of is 0: reckoned here once for every table,
// chart and document.
struct TypeRates {
    std::optional<double> Hit;            // hits per ticket
    std::optional<double> RaceHit;        // races with a hit per race bought
    std::optional<double> Recovery;       // return per stake
    std::optional<double> AveragePayout;  // return per hit
};
TypeRates RatesOf(const TypeFigures& figures);

// A mark's rates: as a win and a place ticket on each runner of the mark would have fared.
struct MarkRates {
    std::optional<double> Win;
    std::optional<double> Place;
    std::optional<double> WinRecovery;
    std::optional<double> PlaceRecovery;
};
MarkRates RatesOf(const MarkFigures& figures, std::int64_t stake);

// The share of a type's pool paid back to bettors; nothing for the total.
std::optional<double> PoolPayoutRate(std::size_t type);

class Backtest {
public:
    // stake: yen per ticket, a positive multiple of 100. The results must outlive the back-test.
    Backtest(const RaceResults& results, std::int64_t stake, const std::set<GroupKey>& groups);

    // Scores the day's races in order; returns the predicted ones with their tickets.
    std::vector<ScoredRace> AddDay(const TYoso& yoso, int raceCount);

    // The figures so far, with the results races no race given has matched.
    BacktestSummary Summary() const;
    // The counts so far, without the copy of every figure Summary makes (UnmatchedResultRaces left at 0).
    const BacktestCounts& Counts() const { return summary_.Counts; }

private:
    void AddRace(const TYosoRace& race, std::vector<ScoredRace>& scored);
    // How the runners under each mark fared in a race that was run.
    void AddMarks(const TYosoRace& race, const RaceResult& result);

    const RaceResults& results_;
    std::set<const RaceKey*> matched_;
    BacktestSummary summary_;
};

}  // namespace talpo
