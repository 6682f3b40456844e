// Scoring the recommended bets of each race and tallying them.
#include "backtest/Backtest.h"

#include <algorithm>

#include "backtest/Yen.h"
#include "common/Cp932.h"
#include "common/StrConv.h"

namespace talpo {
namespace {

std::vector<Ticket> TicketsOf(const TYosoRace& race) {
    std::vector<Ticket> tickets;
    for (const Bet& bet : race.Tickets()) tickets.push_back({bet.Type, bet.First, bet.Second});
    return tickets;
}

const Payout* PaidOn(const RaceResult& result, BetType type, int first, int second) {
    const std::vector<Payout>& rows = result.Payouts[static_cast<std::size_t>(type)];
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const Payout& p) { return p.First == first && p.Second == second; });
    return it == rows.end() ? nullptr : &*it;
}

void Score(Ticket& t, const RaceResult* result, std::int64_t stake) {
    if (!result) {
        t.Result = Outcome::NoResult;
        return;
    }
    // A bracket quinella is only sold as such with up to 8 runners, each horse its own bracket.
    if (result->Cancelled || result->Scratched.count(t.First) ||
        (t.Second && result->Scratched.count(t.Second))) {
        t.Result = Outcome::Refunded;
        return;
    }
    if (result->Payouts[static_cast<std::size_t>(t.Type)].empty()) {
        t.Result = Outcome::NotSold;
        return;
    }
    t.Stake = stake;
    if (const Payout* paid = PaidOn(*result, t.Type, t.First, t.Second)) {
        t.Result = Outcome::Hit;
        t.Return = MulYen(paid->Yen, stake / kStakeStep);
    } else {
        t.Result = Outcome::Miss;
    }
}

void Tally(TypeFigures& f, bool bought, bool hit, const RaceMoney& money) {
    if (!bought) return;
    ++f.Races;
    f.PerRace.push_back(money);
    if (hit) {
        ++f.HitRaces;
        f.LosingStreak = 0;
    } else {
        f.LongestLosingStreak = std::max(f.LongestLosingStreak, ++f.LosingStreak);
    }
}

void AddRaceTo(TypeTable& table, const std::vector<Ticket>& tickets) {
    std::array<bool, kBetTypeCount + 1> bought{};
    std::array<bool, kBetTypeCount + 1> hit{};
    std::array<RaceMoney, kBetTypeCount + 1> money{};
    for (const Ticket& t : tickets) {
        for (const std::size_t k : {static_cast<std::size_t>(t.Type), kTotal}) {
            TypeFigures& f = table[k];
            switch (t.Result) {
                case Outcome::Refunded:
                    ++f.Refunded;
                    break;
                case Outcome::NotSold:
                    ++f.NotSold;
                    break;
                case Outcome::NoResult:
                    break;
                case Outcome::Hit:
                case Outcome::Miss:
                    bought[k] = true;
                    ++f.Tickets;
                    f.Stake = AddYen(f.Stake, t.Stake);
                    f.Return = AddYen(f.Return, t.Return);
                    money[k].Stake = AddYen(money[k].Stake, t.Stake);
                    money[k].Return = AddYen(money[k].Return, t.Return);
                    if (t.Result == Outcome::Hit) {
                        hit[k] = true;
                        ++f.Hits;
                    }
                    break;
            }
        }
    }
    for (std::size_t k = 0; k < table.size(); ++k) Tally(table[k], bought[k], hit[k], money[k]);
}

std::string GroupLabel(GroupKey key, const ScoredRace& race) {
    switch (key) {
        case GroupKey::Venue:
            return race.Venue;
        case GroupKey::Month:
            return race.Date.substr(0, 4) + "-" + race.Date.substr(4, 2);
        case GroupKey::Year:
            return race.Date.substr(0, 4);
    }
    return {};
}

bool IsEightDigits(const std::string& date) {
    return date.size() == 8 &&
           std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void TallyRace(TypeTable& table, const std::vector<Ticket>& tickets) {
    AddRaceTo(table, tickets);
}

const char* OutcomeName(Outcome outcome) {
    static constexpr std::array<const char*, 5> names{"hit", "miss", "refunded", "not_sold", "no_result"};
    return names[static_cast<std::size_t>(outcome)];
}

std::optional<GroupKey> GroupKeyNamed(std::string_view name) {
    for (const GroupKeyWords& words : kGroupKeys)
        if (name == words.Name) return words.Key;
    return std::nullopt;
}

std::optional<double> Ratio(std::int64_t a, std::int64_t b) {
    if (b == 0) return std::nullopt;
    return static_cast<double>(a) / static_cast<double>(b);
}

TypeRates RatesOf(const TypeFigures& f) {
    return {Ratio(f.Hits, f.Tickets), Ratio(f.HitRaces, f.Races), Ratio(f.Return, f.Stake),
            Ratio(f.Return, f.Hits)};
}

MarkRates RatesOf(const MarkFigures& m, std::int64_t stake) {
    return {Ratio(m.Wins, m.WinRuns), Ratio(m.Places, m.PlaceRuns),
            Ratio(m.WinReturn, MulYen(m.WinRuns, stake)), Ratio(m.PlaceReturn, MulYen(m.PlaceRuns, stake))};
}

std::optional<double> PoolPayoutRate(std::size_t type) {
    static constexpr std::array<double, kBetTypeCount> rates{0.80, 0.80, 0.775, 0.775};
    if (type >= kBetTypeCount) return std::nullopt;
    return rates[type];
}

Backtest::Backtest(const RaceResults& results, std::int64_t stake, const std::set<GroupKey>& groups)
    : results_(results) {
    summary_.Stake = stake;
    for (const GroupKey key : groups) summary_.Groups[key];
}

std::vector<ScoredRace> Backtest::AddDay(const TYoso& yoso, int raceCount) {
    ++summary_.Counts.Days;
    std::vector<ScoredRace> scored;
    for (int r = 0; r < raceCount; ++r) AddRace(yoso.Race(r), scored);
    return scored;
}

void Backtest::AddRace(const TYosoRace& race, std::vector<ScoredRace>& scored) {
    BacktestCounts& counts = summary_.Counts;
    ++counts.Races;
    ScoredRace out{TrimBlanks(race.RaceDate.Get()),
                   TrimBlanks(race.VenueName.Get()),
                   TrimBlanks(race.RaceNo.Get()),
                   false,
                   {},
                   {}};
    const RaceResult* result = nullptr;
    const auto raceNo = TryStrToInt(out.RaceNo);
    if (IsEightDigits(out.Date) && raceNo) {
        const auto it = results_.Races.find(RaceKey{out.Date, out.Venue, *raceNo});
        if (it != results_.Races.end()) {
            result = &it->second;
            matched_.insert(&it->first);
        }
    }
    if (!HasPrediction(race)) {
        ++counts.RacesWithoutPrediction;
        return;
    }
    ++counts.PredictedRaces;
    out.Facts = FactsOf(race);
    if (!result) {
        ++counts.RacesWithoutResult;
    } else if (result->Cancelled) {
        ++counts.CancelledRaces;
    } else {
        ++counts.ScoredRaces;
        out.Scored = true;
    }

    out.Tickets = TicketsOf(race);
    for (Ticket& t : out.Tickets) Score(t, result, summary_.Stake);
    AddRaceTo(summary_.Types, out.Tickets);
    for (auto& [key, groups] : summary_.Groups) AddRaceTo(groups[GroupLabel(key, out)], out.Tickets);

    if (result && !result->Cancelled) AddMarks(race, *result);
    scored.push_back(std::move(out));
}

void Backtest::AddMarks(const TYosoRace& race, const RaceResult& result) {
    const bool winSold = !result.Payouts[static_cast<std::size_t>(BetType::Win)].empty();
    const bool placeSold = !result.Payouts[static_cast<std::size_t>(BetType::Place)].empty();
    const auto& marks = EngineMarks();
    const int runners = RunnerSlots(race);
    for (int h = 0; h < runners; ++h) {
        const TYosoHorse& horse = race.Horse(h);
        const auto mark = std::find(marks.begin(), marks.end(), horse.Mark.Get());
        const auto no = TryStrToInt(horse.HorseNo.Get());
        if (mark == marks.end() || !no || result.Scratched.count(*no)) continue;
        MarkFigures& m = summary_.Marks[static_cast<std::size_t>(mark - marks.begin())];
        if (winSold) {
            ++m.WinRuns;
            if (const Payout* p = PaidOn(result, BetType::Win, *no, 0)) {
                ++m.Wins;
                m.WinReturn = AddYen(m.WinReturn, MulYen(p->Yen, summary_.Stake / kStakeStep));
            }
        }
        if (placeSold) {
            ++m.PlaceRuns;
            if (const Payout* p = PaidOn(result, BetType::Place, *no, 0)) {
                ++m.Places;
                m.PlaceReturn = AddYen(m.PlaceReturn, MulYen(p->Yen, summary_.Stake / kStakeStep));
            }
        }
    }
}

BacktestSummary Backtest::Summary() const {
    BacktestSummary summary = summary_;
    summary.Counts.UnmatchedResultRaces =
        static_cast<std::int64_t>(results_.Races.size()) - static_cast<std::int64_t>(matched_.size());
    return summary;
}

}  // namespace talpo
