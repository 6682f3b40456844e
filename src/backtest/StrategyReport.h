// The strategies' figures as people read them, made once for every front end: a row per strategy (cells
// with the numbers behind them and a verdict on its range for the window's comparison, the same texts in
// the command's table) and a CSV row per ticket a strategy bought. Their cells are UTF-8, not CP932 like the
// other tables': a strategy's name is the user's own text, and the range is written with an en dash.
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

// Where a 95 % range of the recovery rate lies against 100 %: whether the rate can be told from luck.
enum class RangeVerdict {
    NoRange,  // fewer than two races bought
    Chance,   // 100 % within the range, both ends included: no telling the rate from luck
    Above,    // the whole range above 100 %
    Below,    // the whole range below 100 %
};
RangeVerdict VerdictOf(const std::optional<std::array<double, 2>>& range);
// A line a fan reads (UTF-8): "偶然と区別できない" for Chance.
const char* VerdictText(RangeVerdict verdict);

// The columns of the strategies compared, in the order of the strategy table after its name.
enum class CompareColumn {
    Races,
    Hits,
    HitRate,
    Stake,
    Return,
    Profit,
    Recovery,
    Range,
    MaxDrawdown,
    LosingStreak
};
inline constexpr std::size_t kCompareColumnCount = 10;
// レース, 的中数/購入数, 的中率, 投資, 払戻, 収支, 回収率, 95%範囲, 最大下落, 最長連敗 (UTF-8).
const std::array<std::string, kCompareColumnCount>& CompareTitles();

struct CompareCell {
    std::string Text;             // the strategy table's cell
    std::optional<double> Value;  // the number behind it, to sort by: hits for 的中数/購入数, the low end for
                                  // the range; nothing where the text is "-"
};

// A strategy's figures over a part of the season, from the total of its bet types.
struct ComparePart {
    std::array<CompareCell, kCompareColumnCount> Cells;  // by CompareColumn
    std::optional<std::array<double, 2>> Range;
    RangeVerdict Verdict = RangeVerdict::NoRange;
    const CompareCell& operator[](CompareColumn c) const { return Cells[static_cast<std::size_t>(c)]; }
};

struct CompareRow {
    std::string Name;
    ComparePart All;
    std::optional<ComparePart> Before;  // with a split date: the races before it
    std::optional<ComparePart> From;    // and those from it on
};

// A row per strategy, in the tally's order, with the strategy table's texts.
std::vector<CompareRow> CompareRows(const StrategyTally& tally);

// 戦略, then CompareTitles() (最大下落 in yen), and with a split date 前回収率, 前95%範囲, 後回収率,
// 後95%範囲: a row per strategy from the total of its types, its cells those of CompareRows.
ReportTable StrategyReport(const StrategyTally& tally);

// The header row "strategy,input,date,venue,race_no,type,combination,stake,return,outcome", then strategy
// after strategy the tickets it bought in the races that meet its conditions, as TicketCsvRows lists them.
void StrategyTicketCsvRows(const std::vector<Strategy>& strategies, const std::vector<InputRace>& races,
                           const CsvRowSink& row);

}  // namespace talpo
