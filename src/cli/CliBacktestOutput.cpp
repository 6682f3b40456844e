// The back-test's documents: the JSON of its figures, a CSV row per ticket and the table in Japanese, whose
// cells backtest/BacktestReport.h makes. The table is laid out in CP932, where a character's bytes are its
// columns on a terminal (a full-width character two), and turned into UTF-8 as the last step.
#include <nlohmann/json.hpp>

#include "backtest/BacktestReport.h"
#include "backtest/BacktestRisk.h"
#include "cli/CliBacktest.h"
#include "cli/CliText.h"
#include "common/Cp932.h"

namespace talpo::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::array<BetType, kBetTypeCount> kBetTypes{BetType::Win, BetType::Place, BetType::BracketQuinella,
                                                       BetType::Quinella};

Json Rate(std::optional<double> rate) {
    return rate ? Json(*rate) : Json(nullptr);
}

Json Range(const std::optional<std::array<double, 2>>& range) {
    return range ? Json::array({(*range)[0], (*range)[1]}) : Json(nullptr);
}

Json TypeJson(const TypeFigures& f, std::size_t type) {
    const TypeRates rates = RatesOf(f);
    return {{"races", f.Races},
            {"tickets", f.Tickets},
            {"hits", f.Hits},
            {"hit_races", f.HitRaces},
            {"refunded", f.Refunded},
            {"not_sold", f.NotSold},
            {"stake", f.Stake},
            {"return", f.Return},
            {"profit", f.Return - f.Stake},
            {"hit_rate", Rate(rates.Hit)},
            {"race_hit_rate", Rate(rates.RaceHit)},
            {"recovery_rate", Rate(rates.Recovery)},
            {"average_payout", Rate(rates.AveragePayout)},
            {"longest_losing_streak", f.LongestLosingStreak},
            {"payout_rate", Rate(PoolPayoutRate(type))},
            {"max_drawdown", MaxDrawdown(f)},
            {"recovery_ci", Range(RecoveryRange(f))}};
}

Json TableJson(const TypeTable& table) {
    Json types = Json::object();
    for (const BetType type : kBetTypes) {
        const auto k = static_cast<std::size_t>(type);
        types[BetTypeName(type)] = TypeJson(table[k], k);
    }
    types["total"] = TypeJson(table[kTotal], kTotal);
    return types;
}

Json PartJson(const PartFigures& part) {
    return {{"races", part.Races}, {"bet_types", TableJson(part.Types)}};
}

// The split season's parts and the strategies, after what the top level has without them.
void AddStrategies(Json& doc, const StrategyTally& tally, bool strategies) {
    if (tally.Split()) {
        doc["before"] = PartJson(tally.Before());
        doc["from"] = PartJson(tally.From());
    }
    if (!strategies) return;
    Json list = Json::array();
    for (std::size_t s = 0; s < tally.Strategies().size(); ++s) {
        const StrategyFigures& f = tally.Figures()[s];
        Json one = {{"name", tally.Strategies()[s].Name},
                    {"races", f.All.Races},
                    {"bet_types", TableJson(f.All.Types)}};
        if (tally.Split()) {
            one["before"] = PartJson(f.Before);
            one["from"] = PartJson(f.From);
        }
        list.push_back(std::move(one));
    }
    doc["strategies"] = std::move(list);
}

Json MarkJson(const MarkFigures& m, std::int64_t stake) {
    const MarkRates rates = RatesOf(m, stake);
    return {{"win_runs", m.WinRuns},
            {"wins", m.Wins},
            {"win_return", m.WinReturn},
            {"place_runs", m.PlaceRuns},
            {"places", m.Places},
            {"place_return", m.PlaceReturn},
            {"win_rate", Rate(rates.Win)},
            {"place_rate", Rate(rates.Place)},
            {"win_recovery_rate", Rate(rates.WinRecovery)},
            {"place_recovery_rate", Rate(rates.PlaceRecovery)}};
}

}  // namespace

void WriteBacktestJson(const BacktestSummary& s, const TextWriter& write, const StrategyTally* tally,
                       bool strategies) {
    const BacktestCounts& c = s.Counts;
    Json doc = {{"stake", s.Stake},
                {"days", c.Days},
                {"races", c.Races},
                {"predicted_races", c.PredictedRaces},
                {"races_without_prediction", c.RacesWithoutPrediction},
                {"races_without_result", c.RacesWithoutResult},
                {"cancelled_races", c.CancelledRaces},
                {"scored_races", c.ScoredRaces},
                {"unmatched_result_races", c.UnmatchedResultRaces}};
    doc["bet_types"] = TableJson(s.Types);
    Json marks = Json::object();
    for (std::size_t m = 0; m < s.Marks.size(); ++m)
        marks[Cp932ToUtf8(EngineMarks()[m])] = MarkJson(s.Marks[m], s.Stake);
    doc["marks"] = std::move(marks);
    for (const auto& [key, groups] : s.Groups) {
        Json byKey = Json::object();
        for (const auto& [label, table] : groups)
            byKey[Cp932ToUtf8(label)] = {{"bet_types", TableJson(table)}};
        doc[std::string("by_") + GroupKeyName(key)] = std::move(byKey);
    }
    if (tally) AddStrategies(doc, *tally, strategies);
    write(doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
}

std::string AlignedTable(const ReportTable& table,
                         const std::function<std::size_t(std::string_view)>& width) {
    std::vector<std::size_t> widths(table.Header.size());
    const auto measure = [&](const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) widths[c] = std::max(widths[c], width(cells[c]));
    };
    std::string out;
    const auto print = [&](const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const std::string pad(widths[c] - width(cells[c]), ' ');
            line += c == 0 ? cells[c] + pad : "  " + pad + cells[c];
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    };
    measure(table.Header);
    for (const ReportRow& row : table.Rows) measure(row.Cells);
    print(table.Header);
    for (const ReportRow& row : table.Rows) print(row.Cells);
    return out;
}

std::string VisibleCsvLine(std::vector<std::string> fields) {
    for (std::string& field : fields) field = Visible(field);
    return CsvLine(fields);
}

void WriteBacktestCsv(const std::vector<InputRace>& races, bool forTerminal, const TextWriter& write) {
    if (!forTerminal) return WriteTicketsCsv(races, write);
    TicketCsvRows(races, TicketWords::Names,
                  [&write](const std::vector<std::string>& fields) { write(VisibleCsvLine(fields)); });
}

std::string BacktestTable(const BacktestSummary& s, const std::string& strategyTable) {
    // CP932 bytes are a character's columns on a terminal (a full-width one two).
    const auto bytes = [](std::string_view cell) { return cell.size(); };
    const BacktestReport report = MakeBacktestReport(s, ReportStyle::Terminal);
    std::string table = "\n" + AlignedTable(report.Marks, bytes);
    for (const GroupReport& groups : report.Groups) {
        const std::string title = Sj(WordsOf(groups.Key).Title) + Sj("：");
        for (const auto& [label, figures] : groups.Tables)
            table += "\n" + title + label + "\n" + AlignedTable(figures, bytes);
    }
    return Cp932ToUtf8(AlignedTable(report.Types, bytes)) +
           (strategyTable.empty() ? "" : "\n" + strategyTable) + Cp932ToUtf8(table);
}

}  // namespace talpo::cli
