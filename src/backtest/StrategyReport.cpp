// The strategies' comparison rows, their table and CSV.
#include "backtest/StrategyReport.h"

#include "backtest/BacktestRisk.h"
#include "common/StrConv.h"

namespace talpo {
namespace {

std::optional<double> Number(std::int64_t n) {
    return static_cast<double>(n);
}

ComparePart PartCells(const PartFigures& part) {
    const TypeFigures& f = part.Types[kTotal];
    ComparePart p;
    p.Range = RecoveryRange(f);
    p.Verdict = VerdictOf(p.Range);
    const TypeRates rates = RatesOf(f);
    const std::optional<double> hitRate = rates.Hit;
    const std::optional<double> recovery = rates.Recovery;
    const std::int64_t drawdown = MaxDrawdown(f);
    p.Cells = {{{std::to_string(part.Races), Number(part.Races)},
                {std::to_string(f.Hits) + "/" + std::to_string(f.Tickets), Number(f.Hits)},
                {PercentText(hitRate), hitRate},
                {YenText(f.Stake), Number(f.Stake)},
                {YenText(f.Return), Number(f.Return)},
                {YenText(f.Return - f.Stake), Number(f.Return - f.Stake)},
                {PercentText(recovery), recovery},
                {RangeText(p.Range), p.Range ? std::optional<double>((*p.Range)[0]) : std::nullopt},
                {YenText(drawdown), Number(drawdown)},
                {std::to_string(f.LongestLosingStreak), Number(f.LongestLosingStreak)}}};
    return p;
}

// A part's rate and its range, as the table shows them for each side of the split.
void AppendRate(const ComparePart& part, std::vector<std::string>& row) {
    row.push_back(part[CompareColumn::Recovery].Text);
    row.push_back(part[CompareColumn::Range].Text);
}

}  // namespace

std::string RangeText(const std::optional<std::array<double, 2>>& range) {
    if (!range) return "-";
    return FixedText((*range)[0] * 100.0, 1) + "\u2013" + FixedText((*range)[1] * 100.0, 1) + "%";
}

RangeVerdict VerdictOf(const std::optional<std::array<double, 2>>& range) {
    if (!range) return RangeVerdict::NoRange;
    if ((*range)[0] > 1.0) return RangeVerdict::Above;
    if ((*range)[1] < 1.0) return RangeVerdict::Below;
    return RangeVerdict::Chance;
}

const char* VerdictText(RangeVerdict verdict) {
    switch (verdict) {
        case RangeVerdict::NoRange:
            return "買ったレースが二つに満たず、範囲を出せない";
        case RangeVerdict::Chance:
            return "偶然と区別できない";
        case RangeVerdict::Above:
            return "95%範囲がすべて100%を上回る";
        case RangeVerdict::Below:
            return "95%範囲がすべて100%を下回る";
    }
    return "";
}

const std::array<std::string, kCompareColumnCount>& CompareTitles() {
    static const std::array<std::string, kCompareColumnCount> kTitles{
        "レース", "的中数/購入数", "的中率",  "投資",     "払戻",
        "収支",   "回収率",        "95%範囲", "最大下落", "最長連敗"};
    return kTitles;
}

std::vector<CompareRow> CompareRows(const StrategyTally& tally) {
    std::vector<CompareRow> rows;
    for (std::size_t s = 0; s < tally.Strategies().size(); ++s) {
        const StrategyFigures& figures = tally.Figures()[s];
        CompareRow row{tally.Strategies()[s].Name, PartCells(figures.All), std::nullopt, std::nullopt};
        if (tally.Split()) {
            row.Before = PartCells(figures.Before);
            row.From = PartCells(figures.From);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

ReportTable StrategyReport(const StrategyTally& tally) {
    ReportTable report{{"戦略"}, {}, {}, 1};
    report.Header.insert(report.Header.end(), CompareTitles().begin(), CompareTitles().end());
    if (tally.Split())
        report.Header.insert(report.Header.end(), {"前回収率", "前95%範囲", "後回収率", "後95%範囲"});
    report.Notes.resize(report.Header.size());
    for (const CompareRow& r : CompareRows(tally)) {
        std::vector<std::string> row{r.Name};
        for (const CompareCell& cell : r.All.Cells) row.push_back(cell.Text);
        if (r.Before && r.From) {
            AppendRate(*r.Before, row);
            AppendRate(*r.From, row);
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
