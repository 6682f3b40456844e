// What a strategy's conditions ask of a predicted race, taken once where the race is scored: the texts as
// `predict --json` gives them, and the numbers read from them.
#pragma once

#include <optional>
#include <string>

#include "predict/RdxYosoClass.h"

namespace talpo {

// A number is missing where its field is not one (a blank distance): no condition on it is met.
struct RaceFacts {
    std::string Surface;  // CP932: --json's "surface", 芝 or ダ
    std::string Class;    // CP932: --json's "class"
    std::optional<int> Distance;
    std::optional<int> Runners;  // --json's "runner_count"
    std::optional<int> RaceNo;
    std::optional<int> Month;     // of the race's date
    std::optional<int> TopIndex;  // the index of the runner marked ◎
    std::optional<int> IndexGap;  // ◎'s index minus ○'s
};

RaceFacts FactsOf(const TYosoRace& race);

}  // namespace talpo
