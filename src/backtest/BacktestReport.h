// The back-test's figures as people read them, made once for the command line and the window so that both
// show the same: the bet-type and mark tables as rows of cells, and a CSV row per ticket.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backtest/Backtest.h"
#include "backtest/BacktestRun.h"

namespace talpo {

// Rows of CP932 cells, the header row first.
using TableRows = std::vector<std::vector<std::string>>;

// 単勝 複勝 枠連 馬連 合計 (CP932): the bet types as the tables name them, the total last.
const std::array<std::string, kBetTypeCount + 1>& BetTypeTitles();

// 券種, 的中数/購入数, 的中率, 投資, 払戻, 収支, 回収率, 払戻率, 最長連敗; a row per type and the total.
TableRows TypeTableRows(const TypeTable& table);

// 印, 出走, 勝率, 複勝率, 単勝回収率, 複勝回収率; a row per mark.
TableRows MarkTableRows(const BacktestSummary& summary);

// "12,345" and "-420": yen as the tables show them.
std::string YenText(std::int64_t yen);

// "78.5%", or "-" when there is no rate.
std::string PercentText(std::optional<double> rate);

// Takes the next piece of a document.
using PieceWriter = std::function<void(std::string_view)>;
// What a UTF-8 field of the data becomes before it is quoted (the command line masks control characters
// on a terminal); empty keeps it as it is.
using FieldFilter = std::function<std::string(const std::string&)>;

// "quinella,3-12,100,0,miss": a ticket's fields from type to outcome, as every ticket CSV ends its rows.
std::string TicketCsvFields(const Ticket& ticket);

// The header row "input,date,venue,race_no,type,combination,stake,return,outcome", then a row per ticket;
// UTF-8, RFC 4180 quoting, CR LF line ends. Written race by race.
void WriteTicketsCsv(const std::vector<InputRace>& races, const FieldFilter& filter,
                     const PieceWriter& write);

}  // namespace talpo
