// Terminal race cards.
#include "cli/CliShow.h"

#include <algorithm>
#include <iterator>
#include <numeric>

#include "common/Cp932.h"
#include "day/RaceCardText.h"

namespace talpo::cli {
namespace {

enum class Align { Left, Right, Centre };

std::string Cell(const std::string& cp932, std::size_t width, Align align) {
    if (cp932.size() >= width) return cp932;
    const std::size_t pad = width - cp932.size();
    switch (align) {
        case Align::Left:
            return cp932 + std::string(pad, ' ');
        case Align::Right:
            return std::string(pad, ' ') + cp932;
        case Align::Centre:
            return std::string(pad - pad / 2, ' ') + cp932 + std::string(pad / 2, ' ');
    }
    return cp932;
}

struct Column {
    std::size_t width;
    Align align;
};

// Widths in bytes: the race card's fields at their full size.
constexpr Column kColumns[] = {
    {2, Align::Centre}, {2, Align::Right},  {4, Align::Centre}, {30, Align::Left}, {4, Align::Left},
    {8, Align::Left},   {6, Align::Centre}, {8, Align::Left},   {4, Align::Right},
};
static_assert(std::size(kColumns) == RunnerColumnCount);

std::string Row(const RunnerCells& cells) {
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c) line += ' ';
        line += Cell(cells[c], kColumns[c].width, kColumns[c].align);
    }
    // Trailing blanks of the last column carry nothing on a terminal.
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return Cp932ToUtf8(line);
}

std::vector<std::string> HeaderLines(const TDenRace& den) {
    const RaceCardHeader h = MakeRaceCardHeader(den);
    std::vector<std::string> lines;
    lines.push_back(
        Cp932ToUtf8(h.Ymd + "  " + h.Kaisai + "  " + h.Race + "  " + h.StartTime + "  " + h.Tosu));
    lines.push_back(Cp932ToUtf8(h.Joken));
    if (!h.Title.empty()) lines.push_back(Cp932ToUtf8(h.Title));
    std::string course = h.Course;
    if (!h.Pace.empty()) course += "  " + h.Pace;
    course += "  " + Sj("推定タイム 良 ") + h.TimeGood + " " + Sj("重 ") + h.TimeHeavy;
    lines.push_back(Cp932ToUtf8(course));
    return lines;
}

std::vector<std::string> RunnerLines(const TDenRace& den, const TYosoRace& race, int runners) {
    std::vector<std::string> lines;
    lines.push_back(Row(RunnerColumnTitles()));
    for (RunnerRow& row : MakeRunnerRows(den, race, runners)) {
        if (!row.WeightError.empty()) row.Cells[ColWeight] = "?";
        lines.push_back(Row(row.Cells));
    }
    return lines;
}

std::vector<std::string> BetLines(const TYosoRace& race, int runners) {
    constexpr std::size_t kWidths[] = {6, 6, 7};
    const BetTable bets = MakeBetTable(race, runners);
    std::vector<std::string> lines;
    std::string titles;
    for (std::size_t c = 0; c < bets.Titles.size(); ++c)
        titles += Cell(bets.Titles[c], kWidths[c], Align::Centre);
    lines.push_back(Cp932ToUtf8(titles));
    std::size_t rows = 0;
    for (const std::vector<std::string>& column : bets.Columns) rows = std::max(rows, column.size());
    for (std::size_t row = 0; row < rows; ++row) {
        std::string line;
        for (std::size_t c = 0; c < bets.Columns.size(); ++c) {
            const std::vector<std::string>& column = bets.Columns[c];
            line += Cell(row < column.size() ? column[row] : "", kWidths[c], Align::Centre);
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines.push_back(Cp932ToUtf8(line));
    }
    return lines;
}

}  // namespace

std::vector<std::string> RenderRaceCard(const TDenRace& den, const TYosoRace& race) {
    const int runners = den.RunnerSlots();
    std::vector<std::string> lines = HeaderLines(den);
    lines.emplace_back();
    for (std::string& l : RunnerLines(den, race, runners)) lines.push_back(std::move(l));
    lines.emplace_back();
    for (std::string& l : BetLines(race, runners)) lines.push_back(std::move(l));
    return lines;
}

// The rows are the race card's own, so the runners warned of are those whose cell the card leaves empty.
void WarnOfBadWeights(const std::string& input, const TDay& day, const std::vector<int>& races,
                      Reporter& report) {
    for (const int race : races) {
        const TDenRace den = day.Denma->Race(race);
        for (const RunnerRow& row : MakeRunnerRows(den, day.Yoso->Race(race), den.RunnerSlots()))
            if (!row.WeightError.empty()) report.Warning(input + ": " + row.WeightError);
    }
}

void WarnOfBadWeights(const std::string& input, const TDay& day, Reporter& report) {
    std::vector<int> races(static_cast<std::size_t>(day.Denma->RaceCount));
    std::iota(races.begin(), races.end(), 0);
    WarnOfBadWeights(input, day, races, report);
}

}  // namespace talpo::cli
