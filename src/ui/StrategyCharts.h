// The strategies' two charts: the running profit of each checked strategy over the season, with the split
// date as a vertical line, and each one's recovery rate as a bar with its 95 % range as an error bar.
#pragma once

#include <QChart>
#include <QFont>
#include <memory>
#include <string>
#include <vector>

#include "backtest/StrategyReport.h"

namespace talpo {

// 推移 by strategy: a line per strategy (its name) with a point per scored race it bought in (x: the race's
// place among the scored races, as the bet types' chart has it), a zero line, and with a split date
// (YYYYMMDD, or empty) a vertical line before the first scored race of that date or later.
std::unique_ptr<QChart> MakeStrategyProfitChart(const std::vector<InputRace>& races,
                                                const std::vector<Strategy>& strategies,
                                                const std::string& split, const QFont& font);

// 回収率 by strategy: a bar per row at its rate over the whole season, an error bar over its 95 % range
// (none where there is no range), and 100 % as a line.
std::unique_ptr<QChart> MakeStrategyRecoveryChart(const std::vector<CompareRow>& rows, const QFont& font);

}  // namespace talpo
