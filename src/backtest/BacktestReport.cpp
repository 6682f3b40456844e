// The back-test's tables and its CSV.
#include "backtest/BacktestReport.h"

#include <algorithm>

#include "backtest/Yen.h"
#include "common/Cp932.h"
#include "common/StrConv.h"

namespace talpo {
namespace {

std::string Combination(const Ticket& t) {
    return t.Second ? std::to_string(t.First) + "-" + std::to_string(t.Second) : std::to_string(t.First);
}

}  // namespace

const std::array<std::string, kBetTypeCount + 1>& BetTypeTitles() {
    static const std::array<std::string, kBetTypeCount + 1> titles{Sj("単勝"), Sj("複勝"), Sj("枠連"),
                                                                   Sj("馬連"), Sj("合計")};
    return titles;
}

std::string YenText(std::int64_t yen) {
    const std::string digits = std::to_string(yen < 0 ? -yen : yen);
    std::string text = yen < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

std::string PercentText(std::optional<double> rate) {
    if (!rate) return "-";
    return FixedText(*rate * 100.0, 1) + "%";
}

TableRows TypeTableRows(const TypeTable& table) {
    TableRows rows{{Sj("券種"), Sj("的中数/購入数"), Sj("的中率"), Sj("投資"), Sj("払戻"), Sj("収支"),
                    Sj("回収率"), Sj("払戻率"), Sj("最長連敗")}};
    for (std::size_t k = 0; k < table.size(); ++k) {
        const TypeFigures& f = table[k];
        rows.push_back({BetTypeTitles()[k], std::to_string(f.Hits) + "/" + std::to_string(f.Tickets),
                        PercentText(Ratio(f.Hits, f.Tickets)), YenText(f.Stake), YenText(f.Return),
                        YenText(f.Return - f.Stake), PercentText(Ratio(f.Return, f.Stake)),
                        PercentText(PoolPayoutRate(k)), std::to_string(f.LongestLosingStreak)});
    }
    return rows;
}

TableRows MarkTableRows(const BacktestSummary& s) {
    TableRows rows{{Sj("印"), Sj("出走"), Sj("勝率"), Sj("複勝率"), Sj("単勝回収率"), Sj("複勝回収率")}};
    for (std::size_t m = 0; m < s.Marks.size(); ++m) {
        const MarkFigures& f = s.Marks[m];
        rows.push_back({EngineMarks()[m], std::to_string(std::max(f.WinRuns, f.PlaceRuns)),
                        PercentText(Ratio(f.Wins, f.WinRuns)), PercentText(Ratio(f.Places, f.PlaceRuns)),
                        PercentText(Ratio(f.WinReturn, MulYen(f.WinRuns, s.Stake))),
                        PercentText(Ratio(f.PlaceReturn, MulYen(f.PlaceRuns, s.Stake)))});
    }
    return rows;
}

std::string TicketCsvFields(const Ticket& t) {
    return std::string(BetTypeName(t.Type)) + "," + Combination(t) + "," + std::to_string(t.Stake) + "," +
           std::to_string(t.Return) + "," + OutcomeName(t.Result);
}

void WriteTicketsCsv(const std::vector<InputRace>& races, const FieldFilter& filter,
                     const PieceWriter& write) {
    const auto field = [&filter](const std::string& text) { return CsvField(filter ? filter(text) : text); };
    write("input,date,venue,race_no,type,combination,stake,return,outcome\r\n");
    std::string csv;
    for (const InputRace& r : races) {
        csv.clear();
        const std::string prefix = field(r.Input) + "," + field(Cp932ToUtf8(r.Race.Date)) + "," +
                                   field(Cp932ToUtf8(r.Race.Venue)) + "," +
                                   field(Cp932ToUtf8(r.Race.RaceNo)) + ",";
        for (const Ticket& t : r.Race.Tickets) csv += prefix + TicketCsvFields(t) + "\r\n";
        write(csv);
    }
}

}  // namespace talpo
