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
    return AlignedTable(StrategyReport(tally), DisplayWidth);
}

void WriteStrategiesCsv(const std::vector<Strategy>& strategies, const std::vector<InputRace>& races,
                        bool forTerminal, const TextWriter& write) {
    StrategyTicketCsvRows(strategies, races, [&](const std::vector<std::string>& fields) {
        write(forTerminal ? VisibleCsvLine(fields) : CsvLine(fields));
    });
}

}  // namespace talpo::cli
