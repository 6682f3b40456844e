// The back-test's documents: the JSON of its figures, a CSV row per ticket and the table in Japanese. The
// table is laid out in CP932, where a character's bytes are its columns on a terminal (a full-width
// character two), and turned into UTF-8 as the last step.
#include <nlohmann/json.hpp>

#include "cli/CliBacktest.h"
#include "cli/CliCsv.h"
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

Json TypeJson(const TypeFigures& f, std::size_t type) {
    return {{"races", f.Races},
            {"tickets", f.Tickets},
            {"hits", f.Hits},
            {"hit_races", f.HitRaces},
            {"refunded", f.Refunded},
            {"not_sold", f.NotSold},
            {"stake", f.Stake},
            {"return", f.Return},
            {"profit", f.Return - f.Stake},
            {"hit_rate", Rate(Ratio(f.Hits, f.Tickets))},
            {"race_hit_rate", Rate(Ratio(f.HitRaces, f.Races))},
            {"recovery_rate", Rate(Ratio(f.Return, f.Stake))},
            {"average_payout", Rate(Ratio(f.Return, f.Hits))},
            {"longest_losing_streak", f.LongestLosingStreak},
            {"payout_rate", Rate(PoolPayoutRate(type))}};
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

Json MarkJson(const MarkFigures& m, std::int64_t stake) {
    return {{"win_runs", m.WinRuns},
            {"wins", m.Wins},
            {"win_return", m.WinReturn},
            {"place_runs", m.PlaceRuns},
            {"places", m.Places},
            {"place_return", m.PlaceReturn},
            {"win_rate", Rate(Ratio(m.Wins, m.WinRuns))},
            {"place_rate", Rate(Ratio(m.Places, m.PlaceRuns))},
            {"win_recovery_rate", Rate(Ratio(m.WinReturn, m.WinRuns * stake))},
            {"place_recovery_rate", Rate(Ratio(m.PlaceReturn, m.PlaceRuns * stake))}};
}

std::string Combination(const Ticket& t) {
    return t.Second ? std::to_string(t.First) + "-" + std::to_string(t.Second) : std::to_string(t.First);
}

// "12,345" and "-420": yen as the table shows them.
std::string Yen(std::int64_t yen) {
    const std::string digits = std::to_string(yen < 0 ? -yen : yen);
    std::string text = yen < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

std::string Percent(std::optional<double> rate) {
    if (!rate) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", *rate * 100.0);
    return text;
}

// Rows of CP932 cells: the first column to the left, the others to the right, two blanks between.
void AppendTable(const std::vector<std::vector<std::string>>& rows, std::string& out) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - row[c].size(), ' ');
            line += c == 0 ? row[c] + pad : "  " + pad + row[c];
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
}

void AppendTypeTable(const TypeTable& table, std::string& out) {
    static const std::vector<std::string> kHeader{Sj("券種"),   Sj("的中数/購入数"), Sj("的中率"),
                                                  Sj("投資"),   Sj("払戻"),          Sj("収支"),
                                                  Sj("回収率"), Sj("払戻率"),        Sj("最長連敗")};
    static const std::array<std::string, kBetTypeCount + 1> kNames{Sj("単勝"), Sj("複勝"), Sj("枠連"),
                                                                   Sj("馬連"), Sj("合計")};
    std::vector<std::vector<std::string>> rows{kHeader};
    for (std::size_t k = 0; k < table.size(); ++k) {
        const TypeFigures& f = table[k];
        rows.push_back({kNames[k], std::to_string(f.Hits) + "/" + std::to_string(f.Tickets),
                        Percent(Ratio(f.Hits, f.Tickets)), Yen(f.Stake), Yen(f.Return),
                        Yen(f.Return - f.Stake), Percent(Ratio(f.Return, f.Stake)),
                        Percent(PoolPayoutRate(k)), std::to_string(f.LongestLosingStreak)});
    }
    AppendTable(rows, out);
}

void AppendMarkTable(const BacktestSummary& s, std::string& out) {
    static const std::vector<std::string> kHeader{Sj("印"),     Sj("出走"),       Sj("勝率"),
                                                  Sj("複勝率"), Sj("単勝回収率"), Sj("複勝回収率")};
    std::vector<std::vector<std::string>> rows{kHeader};
    for (std::size_t m = 0; m < s.Marks.size(); ++m) {
        const MarkFigures& f = s.Marks[m];
        rows.push_back({EngineMarks()[m], std::to_string(std::max(f.WinRuns, f.PlaceRuns)),
                        Percent(Ratio(f.Wins, f.WinRuns)), Percent(Ratio(f.Places, f.PlaceRuns)),
                        Percent(Ratio(f.WinReturn, f.WinRuns * s.Stake)),
                        Percent(Ratio(f.PlaceReturn, f.PlaceRuns * s.Stake))});
    }
    AppendTable(rows, out);
}

}  // namespace

void WriteBacktestJson(const BacktestSummary& s, const TextWriter& write) {
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
    write(doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
}

void WriteBacktestCsv(const std::vector<InputRace>& races, bool forTerminal, const TextWriter& write) {
    const auto field = [forTerminal](const std::string& text) {
        return CsvField(forTerminal ? Visible(text) : text);
    };
    write("input,date,venue,race_no,type,combination,stake,return,outcome\r\n");
    std::string csv;
    for (const InputRace& r : races) {
        csv.clear();
        const std::string prefix = field(*r.Input) + "," + field(Cp932ToUtf8(r.Race.Date)) + "," +
                                   field(Cp932ToUtf8(r.Race.Venue)) + "," +
                                   field(Cp932ToUtf8(r.Race.RaceNo)) + ",";
        for (const Ticket& t : r.Race.Tickets) {
            csv += prefix + BetTypeName(t.Type) + "," + Combination(t) + "," + std::to_string(t.Stake) + "," +
                   std::to_string(t.Return) + "," + OutcomeName(t.Result) + "\r\n";
        }
        write(csv);
    }
}

std::string BacktestTable(const BacktestSummary& s) {
    static const std::array<std::string, kGroupKeyCount> kGroupTitles{Sj("場別"), Sj("月別"), Sj("年別")};
    std::string table;
    AppendTypeTable(s.Types, table);
    table += "\n";
    AppendMarkTable(s, table);
    for (const auto& [key, groups] : s.Groups) {
        for (const auto& [label, figures] : groups) {
            table += "\n" + kGroupTitles[static_cast<std::size_t>(key)] + Sj("：") + label + "\n";
            AppendTypeTable(figures, table);
        }
    }
    return Cp932ToUtf8(table);
}

}  // namespace talpo::cli
