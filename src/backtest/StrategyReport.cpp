// The strategies' table and CSV.
#include "backtest/StrategyReport.h"

#include <cstdio>

#include "backtest/BacktestRisk.h"
#include "common/Cp932.h"
#include "common/StrConv.h"

namespace talpo {
namespace {

// The figures of a part: the rate and its range.
void AppendRate(const TypeFigures& f, std::vector<std::string>& row) {
    row.push_back(PercentText(Ratio(f.Return, f.Stake)));
    row.push_back(RangeText(RecoveryRange(f)));
}

}  // namespace

std::string RangeText(const std::optional<std::array<double, 2>>& range) {
    if (!range) return "-";
    char text[64];
    std::snprintf(text, sizeof text, "%.1f\u2013%.1f%%", (*range)[0] * 100.0, (*range)[1] * 100.0);
    return text;
}

TableRows StrategyTableRows(const StrategyTally& tally) {
    TableRows rows{{"戦略", "レース", "的中数/購入数", "的中率", "投資", "払戻", "収支", "回収率", "95%範囲",
                    "最大下落", "最長連敗"}};
    if (tally.Split()) rows[0].insert(rows[0].end(), {"前回収率", "前95%範囲", "後回収率", "後95%範囲"});
    for (std::size_t s = 0; s < tally.Strategies().size(); ++s) {
        const StrategyFigures& figures = tally.Figures()[s];
        const TypeFigures& f = figures.All.Types[kTotal];
        std::vector<std::string> row{tally.Strategies()[s].Name,
                                     std::to_string(figures.All.Races),
                                     std::to_string(f.Hits) + "/" + std::to_string(f.Tickets),
                                     PercentText(Ratio(f.Hits, f.Tickets)),
                                     YenText(f.Stake),
                                     YenText(f.Return),
                                     YenText(f.Return - f.Stake)};
        AppendRate(f, row);
        row.push_back(YenText(MaxDrawdown(f)));
        row.push_back(std::to_string(f.LongestLosingStreak));
        if (tally.Split()) {
            AppendRate(figures.Before.Types[kTotal], row);
            AppendRate(figures.From.Types[kTotal], row);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void WriteStrategyTicketsCsv(const std::vector<Strategy>& strategies, const std::vector<InputRace>& races,
                             const FieldFilter& filter, const PieceWriter& write) {
    const auto field = [&filter](const std::string& text) { return CsvField(filter ? filter(text) : text); };
    write("strategy,input,date,venue,race_no,type,combination,stake,return,outcome\r\n");
    std::vector<Ticket> chosen;
    std::string csv;
    for (const Strategy& strategy : strategies) {
        const std::string name = field(strategy.Name) + ",";
        for (const InputRace& r : races) {
            if (!Meets(strategy, r.Race)) continue;
            ChooseTickets(strategy, r.Race.Tickets, chosen);
            csv.clear();
            const std::string prefix = name + field(r.Input) + "," + field(Cp932ToUtf8(r.Race.Date)) + "," +
                                       field(Cp932ToUtf8(r.Race.Venue)) + "," +
                                       field(Cp932ToUtf8(r.Race.RaceNo)) + ",";
            for (const Ticket& t : chosen) csv += prefix + TicketCsvFields(t) + "\r\n";
            write(csv);
        }
    }
}

}  // namespace talpo
