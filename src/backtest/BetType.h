// The bet types the back-test scores: what the results hold payouts of, the tickets name and every figure
// is listed by.
#pragma once

#include <array>
#include <cstddef>

#include "predict/Bets.h"

namespace talpo {

// "win", "place", "bracket_quinella", "quinella": the names of the JSON and the CSV.
inline const char* BetTypeName(BetType type) {
    static constexpr std::array<const char*, kBetTypeCount> kNames{"win", "place", "bracket_quinella",
                                                                   "quinella"};
    return kNames[static_cast<std::size_t>(type)];
}

}  // namespace talpo
