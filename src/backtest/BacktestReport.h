// The back-test's figures as people read them, made once for the command line and the window so that both
// show the same: the tables as rows of cells under their header, the recovery rates as numbers with the
// texts the tables give them, and the tickets as CSV rows. The tables' cells are CP932, like the data.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "backtest/Backtest.h"
#include "backtest/BacktestRun.h"
#include "common/UserFile.h"

namespace talpo {

// A row of a table: its cells, and whether it is the total that closes a group of bet types.
struct ReportRow {
    std::vector<std::string> Cells;
    bool Total = false;
};

// A table as every face shows it. The first LabelColumns cells of a row name it; the others are figures.
struct ReportTable {
    std::vector<std::string> Header;
    // What a column's figure is, where its title alone may not say it (a tooltip of the window); one per
    // column, empty where the title says it all.
    std::vector<std::string> Notes;
    std::vector<ReportRow> Rows;
    std::size_t LabelColumns = 1;
};

// How the tables read: as the command line has always printed them (groups in the order of their labels'
// bytes, months "1998-04", counts without separators), or for reading in the window (venues in the
// national course order, months "1998年4月", years "1998年", every count with separators).
enum class ReportStyle { Terminal, Reading };

// 単勝 複勝 枠連 馬連 合計: the bet types as the tables name them, the total last.
const std::array<std::string, kBetTypeCount + 1>& BetTypeTitles();

// 券種, 的中数/購入数, 的中率, 投資, 払戻, 収支, 回収率, 払戻率, 最長連敗; a row per type and the total.
ReportTable TypeReport(const TypeTable& table, ReportStyle style);

// 印, 出走, 勝率, 複勝率, 単勝回収率, 複勝回収率; a row per mark.
ReportTable MarkReport(const BacktestSummary& summary, ReportStyle style);

// The figures of one key's groups: a bet-type table per group, under the group's label.
struct GroupReport {
    GroupKey Key = GroupKey::Venue;
    std::vector<std::pair<std::string, ReportTable>> Tables;
};
GroupReport MakeGroupReport(GroupKey key, const std::map<std::string, TypeTable>& groups, ReportStyle style);

// A key's groups as one table led by a label column (場, 月 or 年) that names each group on its first row.
ReportTable LabelledTable(const GroupReport& groups);

// A bar of the recovery chart: the rate as a number, the text the tables give it, and the share of the
// pool paid back (nothing for the total).
struct RecoveryBar {
    std::string Title;
    std::optional<double> Rate;
    std::string Text;
    std::optional<double> PoolRate;
};

// All the tables and bars of a back-test.
struct BacktestReport {
    ReportTable Types;
    ReportTable Marks;
    std::vector<GroupReport> Groups;  // the keys asked for, in the order of kGroupKeys
    std::array<RecoveryBar, kBetTypeCount + 1> Recovery;
};
BacktestReport MakeBacktestReport(const BacktestSummary& summary, ReportStyle style);

// "12,345" and "-420": yen as the tables show them.
std::string YenText(std::int64_t yen);

// "78.5%", or "-" when there is no rate.
std::string PercentText(std::optional<double> rate);

// A CSV document's rows as their fields (UTF-8, unquoted), handed over one at a time.
using CsvRowSink = std::function<void(const std::vector<std::string>& fields)>;

// The words of a ticket CSV: the names of --csv ("input,date,...", "win", "hit"), or Japanese ones for a
// spreadsheet read in Japanese (入力,日付,..., 単勝, 的中).
enum class TicketWords { Names, Japanese };

// The header's fields: input, date, venue, race_no, type, combination, stake, return, outcome.
const std::vector<std::string>& TicketCsvHeader(TicketWords words);

// The header row, then a row per ticket, race by race.
void TicketCsvRows(const std::vector<InputRace>& races, TicketWords words, const CsvRowSink& row);

// A race's fields of its tickets' rows (input to race_no) into `fields` from `at` on...
void PutRaceFields(const InputRace& race, std::vector<std::string>& fields, std::size_t at);
// ...and a ticket's (type to outcome) from `at` on.
void PutTicketFields(const Ticket& ticket, TicketWords words, std::vector<std::string>& fields,
                     std::size_t at);
inline constexpr std::size_t kRaceCsvFields = 4;
inline constexpr std::size_t kTicketCsvFields = 5;

// The fields as a CSV line: quoted where RFC 4180 asks, CR LF at the end.
std::string CsvLine(const std::vector<std::string>& fields);

// The tickets' CSV as --csv writes it: UTF-8, the names' words, CR LF line ends.
void WriteTicketsCsv(const std::vector<InputRace>& races, const TextWriter& write);

}  // namespace talpo
