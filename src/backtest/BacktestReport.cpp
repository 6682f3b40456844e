// The back-test's tables and its CSV.
#include "backtest/BacktestReport.h"

#include <algorithm>

#include "backtest/Yen.h"
#include "common/Cp932.h"
#include "common/StrConv.h"
#include "data/Courses.h"

namespace talpo {
namespace {

std::string CountText(std::int64_t count, ReportStyle style) {
    return style == ReportStyle::Reading ? YenText(count) : std::to_string(count);
}

// The titles of the bet-type tables and what their figures are.
const ReportTable& TypeHead() {
    static const ReportTable head{
        {Sj("券種"), Sj("的中数/購入数"), Sj("的中率"), Sj("投資"), Sj("払戻"), Sj("収支"), Sj("回収率"),
         Sj("払戻率"), Sj("最長連敗")},
        {{},
         Sj("当たった買い目の数／買った買い目の数（返還と発売なしは買っていません）"),
         Sj("買った買い目のうち当たったものの割合"),
         Sj("買った買い目の金額の合計（1点あたりの金額 × 点数）"),
         Sj("当たった買い目の払戻金の合計"),
         Sj("払戻 − 投資"),
         Sj("払戻 ÷ 投資：100% を超えれば儲け"),
         Sj("その券種の売上のうち払い戻される割合：でたらめに買い続けたときの回収率の目安"),
         Sj("当たりの無いレースが続いた最も長い数（レースで数えます）")},
        {},
        1};
    return head;
}

const ReportTable& MarkHead() {
    static const ReportTable head{
        {Sj("印"), Sj("出走"), Sj("勝率"), Sj("複勝率"), Sj("単勝回収率"), Sj("複勝回収率")},
        {{},
         Sj("その印の馬が走ったレースの数（取消と除外は数えません）"),
         Sj("1着になった割合"),
         Sj("複勝の払戻を受けた（ふつうは3着以内の）割合"),
         Sj("その印の馬の単勝を毎回買ったときの回収率"),
         Sj("その印の馬の複勝を毎回買ったときの回収率")},
        {},
        1};
    return head;
}

// "1998-04" as "1998年4月", "1998" as "1998年"; a label of another form stays as it is.
std::string ReadableLabel(GroupKey key, const std::string& label) {
    const auto number = [](const std::string& digits) {
        return std::to_string(TryStrToInt(digits).value_or(0));
    };
    if (key == GroupKey::Month && label.size() == 7 && label[4] == '-')
        return label.substr(0, 4) + Sj("年") + number(label.substr(5)) + Sj("月");
    if (key == GroupKey::Year && label.size() == 4) return label + Sj("年");
    return label;
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

ReportTable TypeReport(const TypeTable& table, ReportStyle style) {
    ReportTable report = TypeHead();
    for (std::size_t k = 0; k < table.size(); ++k) {
        const TypeFigures& f = table[k];
        const TypeRates rates = RatesOf(f);
        report.Rows.push_back(
            {{BetTypeTitles()[k], CountText(f.Hits, style) + "/" + CountText(f.Tickets, style),
              PercentText(rates.Hit), YenText(f.Stake), YenText(f.Return), YenText(f.Return - f.Stake),
              PercentText(rates.Recovery), PercentText(PoolPayoutRate(k)),
              CountText(f.LongestLosingStreak, style)},
             k == kTotal});
    }
    return report;
}

ReportTable MarkReport(const BacktestSummary& s, ReportStyle style) {
    ReportTable report = MarkHead();
    for (std::size_t m = 0; m < s.Marks.size(); ++m) {
        const MarkFigures& f = s.Marks[m];
        const MarkRates rates = RatesOf(f, s.Stake);
        report.Rows.push_back(
            {{EngineMarks()[m], CountText(std::max(f.WinRuns, f.PlaceRuns), style), PercentText(rates.Win),
              PercentText(rates.Place), PercentText(rates.WinRecovery), PercentText(rates.PlaceRecovery)}});
    }
    return report;
}

GroupReport MakeGroupReport(GroupKey key, const std::map<std::string, TypeTable>& groups, ReportStyle style) {
    std::vector<const std::pair<const std::string, TypeTable>*> order;
    for (const auto& group : groups) order.push_back(&group);
    if (style == ReportStyle::Reading && key == GroupKey::Venue) {
        std::stable_sort(order.begin(), order.end(), [](const auto* a, const auto* b) {
            return CourseOrder(a->first) < CourseOrder(b->first);
        });
    }
    GroupReport report{key, {}};
    for (const auto* group : order) {
        const std::string label =
            style == ReportStyle::Reading ? ReadableLabel(key, group->first) : group->first;
        report.Tables.emplace_back(label, TypeReport(group->second, style));
    }
    return report;
}

ReportTable LabelledTable(const GroupReport& groups) {
    ReportTable table = TypeHead();
    table.Header.insert(table.Header.begin(), Sj(WordsOf(groups.Key).Column));
    table.Notes.insert(table.Notes.begin(), std::string());
    table.LabelColumns = 2;
    for (const auto& [label, types] : groups.Tables) {
        for (std::size_t r = 0; r < types.Rows.size(); ++r) {
            ReportRow row = types.Rows[r];
            row.Cells.insert(row.Cells.begin(), r == 0 ? label : std::string());
            table.Rows.push_back(std::move(row));
        }
    }
    return table;
}

BacktestReport MakeBacktestReport(const BacktestSummary& s, ReportStyle style) {
    BacktestReport report{TypeReport(s.Types, style), MarkReport(s, style), {}, {}};
    for (const auto& [key, groups] : s.Groups) report.Groups.push_back(MakeGroupReport(key, groups, style));
    for (std::size_t k = 0; k < s.Types.size(); ++k) {
        const std::optional<double> rate = RatesOf(s.Types[k]).Recovery;
        report.Recovery[k] = {BetTypeTitles()[k], rate, PercentText(rate), PoolPayoutRate(k)};
    }
    return report;
}

const std::vector<std::string>& TicketCsvHeader(TicketWords words) {
    static const std::vector<std::string> names{"input",       "date",  "venue",  "race_no", "type",
                                                "combination", "stake", "return", "outcome"};
    static const std::vector<std::string> japanese{"入力", "日付", "場",   "レース", "券種",
                                                   "組番", "投資", "払戻", "結果"};
    return words == TicketWords::Names ? names : japanese;
}

void PutRaceFields(const InputRace& r, std::vector<std::string>& fields, std::size_t at) {
    fields[at] = r.Input;
    fields[at + 1] = Cp932ToUtf8(r.Race.Date);
    fields[at + 2] = Cp932ToUtf8(r.Race.Venue);
    fields[at + 3] = Cp932ToUtf8(r.Race.RaceNo);
}

void PutTicketFields(const Ticket& t, TicketWords words, std::vector<std::string>& fields, std::size_t at) {
    static constexpr std::array<const char*, kBetTypeCount> kTypes{"単勝", "複勝", "枠連", "馬連"};
    static constexpr std::array<const char*, 5> kOutcomes{"的中", "不的中", "返還", "発売なし", "成績なし"};
    const bool names = words == TicketWords::Names;
    fields[at] = names ? BetTypeName(t.Type) : kTypes[static_cast<std::size_t>(t.Type)];
    fields[at + 1] =
        t.Second ? std::to_string(t.First) + "-" + std::to_string(t.Second) : std::to_string(t.First);
    fields[at + 2] = std::to_string(t.Stake);
    fields[at + 3] = std::to_string(t.Return);
    fields[at + 4] = names ? OutcomeName(t.Result) : kOutcomes[static_cast<std::size_t>(t.Result)];
}

void TicketCsvRows(const std::vector<InputRace>& races, TicketWords words, const CsvRowSink& row) {
    row(TicketCsvHeader(words));
    std::vector<std::string> fields(kRaceCsvFields + kTicketCsvFields);
    for (const InputRace& r : races) {
        PutRaceFields(r, fields, 0);
        for (const Ticket& t : r.Race.Tickets) {
            PutTicketFields(t, words, fields, kRaceCsvFields);
            row(fields);
        }
    }
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (f > 0) line += ',';
        line += CsvField(fields[f]);
    }
    return line + "\r\n";
}

void WriteTicketsCsv(const std::vector<InputRace>& races, const TextWriter& write) {
    TicketCsvRows(races, TicketWords::Names,
                  [&write](const std::vector<std::string>& fields) { write(CsvLine(fields)); });
}

}  // namespace talpo
