// A race's facts for the strategies, read from the prediction store's copy of its header and runners.
#include "backtest/RaceFacts.h"

#include <algorithm>

#include "backtest/Backtest.h"
#include "common/Cp932.h"
#include "common/StrConv.h"
#include "data/TypeRdx.h"

namespace talpo {
namespace {

std::optional<int> NumberOf(std::string_view text) {
    return TryStrToInt(TrimBlanksView(text));
}

// The month of a date written YYYYMMDD.
std::optional<int> MonthOf(const std::string& date) {
    const std::string_view d = TrimBlanksView(date);
    if (d.size() != 8 || !std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return NumberOf(d.substr(4, 2));
}

// The index of the first runner the store shows (as --json does) under the mark.
std::optional<int> IndexUnder(const TYosoRace& race, int runners, const std::string& mark) {
    for (int h = 0; h < runners; ++h) {
        const TYosoHorse& horse = race.Horses[static_cast<std::size_t>(h)];
        if (horse.Mark.Get() == mark) return horse.Index;
    }
    return std::nullopt;
}

}  // namespace

RaceFacts FactsOf(const TYosoRace& race) {
    RaceFacts facts;
    facts.Surface = race.Surface.Get();
    facts.Class = race.RaceClass.Get();
    facts.Distance = NumberOf(race.Distance.Get());
    facts.Runners = NumberOf(race.RunnerCount.Get());
    facts.RaceNo = NumberOf(race.RaceNo.Get());
    facts.Month = MonthOf(race.RaceDate.Get());
    // A count that is no number shows no runners; RunnerSlots would raise for it.
    const int slots = facts.Runners ? TDenRec::RunnerSlots(*facts.Runners) : 0;
    facts.TopIndex = IndexUnder(race, slots, EngineMarks()[0]);
    const std::optional<int> second = IndexUnder(race, slots, EngineMarks()[1]);
    if (facts.TopIndex && second) facts.IndexGap = *facts.TopIndex - *second;
    return facts;
}

}  // namespace talpo
