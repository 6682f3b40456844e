// How far a season's figures may be from the truth, and how deep its losses ran: the 95 % range of the
// recovery rate and the largest drawdown of the running profit, from the races of a type one by one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "backtest/Backtest.h"

namespace talpo {

// The largest fall of the running profit from its highest point so far, in yen (≥ 0). The profit starts
// at 0 and moves by each counted race's return less its stake, in the order the races were counted.
std::int64_t MaxDrawdown(const TypeFigures& figures);

// The 95 % range [low, high] of the recovery rate, as the ratio estimate over the n counted races with
// X_i the stake and Y_i the return of race i: R = ΣY / ΣX, s² = Σ(Y_i − R·X_i)² / (n − 1),
// SE = √(s² / n) / (ΣX / n), range = [max(0, R − 1.96·SE), R + 1.96·SE]. Nothing when fewer than two
// races were counted or nothing was staked. Computed in exactly that order, so that anyone who follows
// the formula gets the same doubles.
std::optional<std::array<double, 2>> RecoveryRange(const TypeFigures& figures);

}  // namespace talpo
