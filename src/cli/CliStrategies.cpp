// The strategies' lines of the back-test's table and their CSV. Their cells are UTF-8 (backtest/
// StrategyReport.h), so their columns are counted per character as the CP932 tables count bytes: a
// character CP932 holds takes as many columns as it has bytes there (a full-width one two).
#include "backtest/StrategyReport.h"
#include "cli/CliBacktest.h"
#include "cli/CliText.h"
#include "common/Cp932.h"
#include "common/TalpoError.h"

namespace talpo::cli {
namespace {

std::size_t DisplayWidth(std::string_view utf8) {
    std::size_t width = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string_view ch = utf8.substr(i, n);
        i += n;
        if (n == 1) {
            ++width;
            continue;
        }
        // The en dash of the ranges is one column, as terminals show it; a character CP932 cannot hold is
        // one up to U+07FF and two beyond, where the wide scripts are.
        try {
            width += ch == "\u2013" ? 1 : Utf8ToCp932(ch).size();
        } catch (const ETalpoError&) {
            width += n == 2 ? 1 : 2;
        }
    }
    return width;
}

}  // namespace

std::string StrategyTable(const StrategyTally& tally) {
    const TableRows rows = StrategyTableRows(tally);
    std::vector<std::size_t> widths(rows.front().size());
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - DisplayWidth(row[c]), ' ');
            line += c == 0 ? row[c] + pad : "  " + pad + row[c];
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    return out;
}

void WriteStrategiesCsv(const std::vector<Strategy>& strategies, const std::vector<InputRace>& races,
                        bool forTerminal, const TextWriter& write) {
    WriteStrategyTicketsCsv(
        strategies, races,
        forTerminal ? FieldFilter([](const std::string& t) { return Visible(t); }) : nullptr, write);
}

}  // namespace talpo::cli
