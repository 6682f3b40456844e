// Matching races to strategies, choosing their tickets, and tallying them.
#include "backtest/Strategy.h"

#include <algorithm>

#include "backtest/Yen.h"

namespace talpo {
namespace {

bool InList(const std::optional<std::vector<std::string>>& list, const std::string& text) {
    return !list || std::find(list->begin(), list->end(), text) != list->end();
}

bool InRange(const std::optional<IntRange>& range, const std::optional<int>& value) {
    return !range || (value && range->Low <= *value && *value <= range->High);
}

bool IsPair(BetType type) {
    return type == BetType::BracketQuinella || type == BetType::Quinella;
}

bool IsDate(const std::string& date) {
    return date.size() == 8 &&
           std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The part of the season a race belongs to: the races before the split date, those from it on, or none
// for a race whose date is no YYYYMMDD.

PartFigures* PartOf(const std::string& date, const std::string& split, PartFigures& before,
                    PartFigures& from) {
    if (split.empty() || !IsDate(date)) return nullptr;
    return date < split ? &before : &from;
}

void AddTo(PartFigures& part, const std::vector<Ticket>& tickets) {
    ++part.Races;
    TallyRace(part.Types, tickets);
}

}  // namespace

bool Meets(const Strategy& strategy, const ScoredRace& race) {
    const StrategyWhen& w = strategy.When;
    const RaceFacts& f = race.Facts;
    if (!InList(w.Venues, race.Venue) || !InList(w.Surfaces, f.Surface) || !InList(w.Classes, f.Class))
        return false;
    if (w.Months && !(f.Month && *f.Month >= 1 && *f.Month <= 12 && (*w.Months)[*f.Month])) return false;
    return InRange(w.Distance, f.Distance) && InRange(w.Runners, f.Runners) && InRange(w.RaceNo, f.RaceNo) &&
           InRange(w.TopIndex, f.TopIndex) && InRange(w.IndexGap, f.IndexGap);
}

void ChooseTickets(const Strategy& strategy, const std::vector<Ticket>& tickets,
                   std::vector<Ticket>& chosen) {
    chosen.clear();
    int places = 0;
    int pairs = 0;
    for (const Ticket& t : tickets) {
        bool keep = strategy.Bets[static_cast<std::size_t>(t.Type)];
        if (t.Type == BetType::Place) keep = places++ < strategy.Places && keep;
        if (IsPair(t.Type)) keep = pairs++ < strategy.Pairs && keep;
        if (keep) chosen.push_back(t);
    }
}

StrategyTally::StrategyTally(std::vector<Strategy> strategies, std::string split)
    : strategies_(std::move(strategies)), split_(std::move(split)), figures_(strategies_.size()) {}

void StrategyTally::Add(const ScoredRace& race) {
    PartFigures* const part = PartOf(race.Date, split_, before_, from_);
    if (part) AddTo(*part, race.Tickets);
    for (std::size_t s = 0; s < strategies_.size(); ++s) {
        if (!Meets(strategies_[s], race)) continue;
        ChooseTickets(strategies_[s], race.Tickets, chosen_);
        StrategyFigures& figures = figures_[s];
        AddTo(figures.All, chosen_);
        if (part) AddTo(part == &before_ ? figures.Before : figures.From, chosen_);
    }
}

StrategyTally TallyStrategies(const std::vector<InputRace>& races, std::vector<Strategy> strategies,
                              std::string split) {
    StrategyTally tally(std::move(strategies), std::move(split));
    for (const InputRace& r : races) tally.Add(r.Race);
    return tally;
}

std::vector<ProfitPoint> RunningProfit(const Strategy& strategy, const std::vector<InputRace>& races) {
    std::vector<ProfitPoint> points;
    std::vector<Ticket> chosen;
    std::int64_t profit = 0;
    std::size_t scored = 0;
    for (std::size_t i = 0; i < races.size(); ++i) {
        const ScoredRace& race = races[i].Race;
        const std::size_t place = race.Scored ? scored++ : scored;
        if (!Meets(strategy, race)) continue;
        ChooseTickets(strategy, race.Tickets, chosen);
        bool bought = false;
        for (const Ticket& t : chosen) {
            if (t.Result != Outcome::Hit && t.Result != Outcome::Miss) continue;
            bought = true;
            profit = AddYen(profit, AddYen(t.Return, -t.Stake));
        }
        if (bought) points.push_back({i, place, profit});
    }
    return points;
}

std::string MiddleDate(const std::vector<std::string>& dates) {
    std::vector<std::string> days;
    for (const std::string& d : dates) {
        if (IsDate(d)) days.push_back(d);
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    return days.empty() ? std::string() : days[days.size() / 2];
}

std::string MiddleDate(const std::vector<InputRace>& races) {
    std::vector<std::string> dates;
    dates.reserve(races.size());
    for (const InputRace& r : races) dates.push_back(r.Race.Date);
    return MiddleDate(dates);
}

}  // namespace talpo
