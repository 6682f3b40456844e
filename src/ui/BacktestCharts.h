// The back-test's two charts: the money over the season per bet type and in total, and the recovery rate
// per bet type against the share of its pool the totalisator pays back. Colours differ in brightness and
// the lines in their dashes, so that a greyscale print still tells them apart; every text is in the one
// font given, and the axes are marked at round values.
#pragma once

#include <QCategoryAxis>
#include <QChart>
#include <QFont>
#include <QLineSeries>
#include <memory>
#include <vector>

#include "backtest/BacktestReport.h"
#include "backtest/BacktestRun.h"

namespace talpo {

// Round marks of an axis: from Low to High (both marked) every Step, with Low <= 0 <= High when the
// values given straddle nothing but one side of 0.
struct AxisTicks {
    double Low = 0;
    double High = 0;
    double Step = 1;
};
// At most `most` marks covering [low, high], each step 1, 2 or 5 times a power of ten.
AxisTicks NiceTicks(double low, double high, int most);

// Every text of a chart in the one font given, its title a little larger and bold; after the axes are set.
void UseChartFont(QChart& chart, const QFont& font);
// A line through the points, added to the chart (a figure, or a guide such as the zero line).
QLineSeries* ChartLine(QChart& chart, const std::vector<QPointF>& points, const QPen& pen,
                       const QString& name);
void HideFromLegend(QChart& chart, QAbstractSeries* series);
// The bottom axis of a running profit: x counts the scored races; "5/24" at the first race of every so many
// days, the years in the axis's title.
QCategoryAxis* DateAxis(const std::vector<InputRace>& races);
// The side axis of a running profit: round marks from low to high (0 among them), labelled in yen with
// thousands separators.
QCategoryAxis* YenAxis(double low, double high);

// 推移: a line per bet type (単勝, 複勝, 枠連, 馬連) and their total (合計) with a point per scored race in
// the order of the inputs, the profit so far in yen (marked with separators); a zero line; the dates of the
// days along the bottom.
std::unique_ptr<QChart> MakeProfitChart(const std::vector<InputRace>& races, const QFont& font);

// 回収率: a bar per bet type and the total, labelled with its rate as the tables give it; the payout rate
// marked over each type's bar; the break-even line labelled 「損益分岐 100%」.
std::unique_ptr<QChart> MakeRecoveryChart(const BacktestReport& report, const QFont& font);

}  // namespace talpo
