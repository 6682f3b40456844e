// The drawdown and the range of the recovery rate. This file is built without fused multiply-adds
// (CMakeLists.txt): a fused a·b + c rounds once where the formula rounds twice, and the range would then
// differ in its last bits from a plain computation of the same formula.
#include "backtest/BacktestRisk.h"

#include <algorithm>
#include <cmath>

#include "backtest/Yen.h"

namespace talpo {

std::int64_t MaxDrawdown(const TypeFigures& figures) {
    std::int64_t profit = 0;
    std::int64_t peak = 0;
    std::int64_t deepest = 0;
    for (const RaceMoney& race : figures.PerRace) {
        profit = AddYen(profit, AddYen(race.Return, -race.Stake));
        peak = std::max(peak, profit);
        deepest = std::max(deepest, AddYen(peak, -profit));
    }
    return deepest;
}

std::optional<std::array<double, 2>> RecoveryRange(const TypeFigures& figures) {
    const std::vector<RaceMoney>& races = figures.PerRace;
    std::int64_t sumX = 0;
    std::int64_t sumY = 0;
    for (const RaceMoney& race : races) {
        sumX = AddYen(sumX, race.Stake);
        sumY = AddYen(sumY, race.Return);
    }
    if (races.size() < 2 || sumX == 0) return std::nullopt;
    const double n = static_cast<double>(races.size());
    const double x = static_cast<double>(sumX);
    const double r = static_cast<double>(sumY) / x;
    double squares = 0;
    for (const RaceMoney& race : races) {
        const double d = static_cast<double>(race.Return) - r * static_cast<double>(race.Stake);
        squares += d * d;
    }
    const double s2 = squares / (n - 1);
    const double se = std::sqrt(s2 / n) / (x / n);
    return std::array<double, 2>{std::max(0.0, r - 1.96 * se), r + 1.96 * se};
}

}  // namespace talpo
