// The strategies' figures as people read them, made once for every front end: a table row per strategy
// and a CSV row per ticket a strategy bought. Their table's cells are UTF-8, not CP932 like the other
// tables': a strategy's name is the user's own text, and the range is written with an en dash.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "backtest/BacktestReport.h"
#include "backtest/Strategy.h"

namespace talpo {

// "78.1–109.4%", or "-" when there is no range.
std::string RangeText(const std::optional<std::array<double, 2>>& range);

// 戦略, レース, 的中数/購入数, 的中率, 投資, 払戻, 収支, 回収率, 95%範囲, 最大下落 (yen), 最長連敗, and with
// a split date 前回収率, 前95%範囲, 後回収率, 後95%範囲: a row per strategy from the total of its types.
ReportTable StrategyReport(const StrategyTally& tally);

// The header row "strategy,input,date,venue,race_no,type,combination,stake,return,outcome", then strategy
// after strategy the tickets it bought in the races that meet its conditions, as TicketCsvRows lists them.
void StrategyTicketCsvRows(const std::vector<Strategy>& strategies, const std::vector<InputRace>& races,
                           const CsvRowSink& row);

}  // namespace talpo
