// The back-test's two charts: the money over the season per bet type, and the recovery rate per bet type
// against the share of its pool the totalisator pays back. Colours differ in brightness and the lines in
// their dashes, so that a greyscale print still tells them apart.
#pragma once

#include <QChart>
#include <QFont>
#include <memory>
#include <vector>

#include "backtest/BacktestReport.h"
#include "backtest/BacktestRun.h"

namespace talpo {

// 推移: a line per bet type (named 単勝, 複勝, 枠連, 馬連) with a point per scored race in the order of the
// inputs, the profit so far in yen; a zero line; the dates of the days along the bottom.
std::unique_ptr<QChart> MakeProfitChart(const std::vector<InputRace>& races, const QFont& font);

// 回収率: a bar per bet type and the total, the payout rate marked over each type's bar, 100% as a line.
std::unique_ptr<QChart> MakeRecoveryChart(const BacktestReport& report, const QFont& font);

}  // namespace talpo
