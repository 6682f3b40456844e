// The strategies' table and CSV.
#include "backtest/StrategyReport.h"

#include <cstdio>

#include "backtest/BacktestRisk.h"

namespace talpo {
namespace {

// The figures of a part: the rate and its range.
void AppendRate(const TypeFigures& f, std::vector<std::string>& row) {
    row.push_back(PercentText(RatesOf(f).Recovery));
    row.push_back(RangeText(RecoveryRange(f)));
}

}  // namespace

std::string RangeText(const std::optional<std::array<double, 2>>& range) {
    if (!range) return "-";
    char text[64];
    std::snprintf(text, sizeof text, "%.1f\u2013%.1f%%", (*range)[0] * 100.0, (*range)[1] * 100.0);
    return text;
}

ReportTable StrategyReport(const StrategyTally& tally) {
    ReportTable report{{"戦略", "レース", "的中数/購入数", "的中率", "投資", "払戻", "収支", "回収率",
                        "95%範囲", "最大下落", "最長連敗"},
                       {},
                       {},
                       1};
    if (tally.Split())
        report.Header.insert(report.Header.end(), {"前回収率", "前95%範囲", "後回収率", "後95%範囲"});
    report.Notes.resize(report.Header.size());
    for (std::size_t s = 0; s < tally.Strategies().size(); ++s) {
        const StrategyFigures& figures = tally.Figures()[s];
        const TypeFigures& f = figures.All.Types[kTotal];
        std::vector<std::string> row{tally.Strategies()[s].Name,
                                     std::to_string(figures.All.Races),
                                     std::to_string(f.Hits) + "/" + std::to_string(f.Tickets),
                                     PercentText(RatesOf(f).Hit),
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
        report.Rows.push_back({std::move(row)});
    }
    return report;
}

void StrategyTicketCsvRows(const std::vector<Strategy>& strategies, const std::vector<InputRace>& races,
                           const CsvRowSink& row) {
    std::vector<std::string> fields{"strategy"};
    const std::vector<std::string>& header = TicketCsvHeader(TicketWords::Names);
    fields.insert(fields.end(), header.begin(), header.end());
    row(fields);
    std::vector<Ticket> chosen;
    for (const Strategy& strategy : strategies) {
        fields[0] = strategy.Name;
        for (const InputRace& r : races) {
            if (!Meets(strategy, r.Race)) continue;
            ChooseTickets(strategy, r.Race.Tickets, chosen);
            PutRaceFields(r, fields, 1);
            for (const Ticket& t : chosen) {
                PutTicketFields(t, TicketWords::Names, fields, 1 + kRaceCsvFields);
                row(fields);
            }
        }
    }
}

}  // namespace talpo
