// Terminal race cards.
#include "cli/CliShow.h"

#include "day/RaceCardText.h"
#include "common/Cp932.h"
#include "common/TalpoError.h"

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
    const char* title;
    std::size_t width;
    Align align;
};

// Widths in bytes: the race card's fields at their full size.
const Column kColumns[] = {
    {"枠", 2, Align::Centre},      {"馬", 2, Align::Right},    {"ＭＫ", 4, Align::Centre},
    {"馬    名", 30, Align::Left}, {"性齢", 4, Align::Left},   {"騎  手", 8, Align::Left},
    {"負担", 6, Align::Centre},    {"調教師", 8, Align::Left}, {"指数", 4, Align::Right},
};

std::string Row(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c) line += ' ';
        line += Cell(cells[c], kColumns[c].width, kColumns[c].align);
    }
    // Trailing blanks of the last column carry nothing on a terminal.
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return Cp932ToUtf8(line);
}

std::vector<std::string> HeaderLines(const TDenma& denma) {
    const RaceCardHeader h = MakeRaceCardHeader(denma);
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

std::vector<std::string> RunnerLines(TDay& day, int runners, std::vector<std::string>& warnings) {
    const TDenma& denma = *day.Denma;
    TYoso& yoso = *day.Yoso;
    std::vector<std::string> lines;
    std::vector<std::string> titles;
    for (const Column& c : kColumns) titles.push_back(Sj(c.title));
    lines.push_back(Row(titles));
    for (int i = 0; i < runners; ++i) {
        std::string weight;
        try {
            weight = WeightText(denma, i);
        } catch (const ETalpoError& e) {
            weight = "?";
            warnings.push_back(e.what());
        }
        yoso.HorseIndex = i;
        lines.push_back(Row({denma.GetBracket(i), std::to_string(i + 1), MarksText(denma, yoso, i),
                             denma.GetHorseNameRaw(i), denma.GetSex(i) + denma.GetAge(i), denma.GetJockey(i),
                             weight, denma.GetTrainer(i), std::to_string(yoso.GetIndex())}));
    }
    return lines;
}

std::vector<std::string> BetLines(TYoso& yoso, int runners) {
    std::vector<std::string> lines;
    lines.push_back(Cp932ToUtf8(Cell(Sj("単勝"), 6, Align::Centre) + Cell(Sj("複勝"), 6, Align::Centre) +
                                Cell(PairColumnTitle(runners), 7, Align::Centre)));
    for (int row = 0; row < 8; ++row) {
        yoso.BetIndex = 0;
        const std::string win = row == 0 ? yoso.GetWinBet() : "";
        yoso.BetIndex = row;
        const std::string place = row < 3 ? yoso.GetPlaceBet() : "";
        const std::string pair = yoso.GetPairBet();
        std::string line =
            Cell(win, 6, Align::Centre) + Cell(place, 6, Align::Centre) + Cell(pair, 7, Align::Centre);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines.push_back(Cp932ToUtf8(line));
    }
    return lines;
}

}  // namespace

std::vector<std::string> RenderRaceCard(TDay& day, std::vector<std::string>& warnings) {
    const int runners = day.Denma->GetRunnerSlots();
    std::vector<std::string> lines = HeaderLines(*day.Denma);
    lines.emplace_back();
    for (std::string& l : RunnerLines(day, runners, warnings)) lines.push_back(std::move(l));
    lines.emplace_back();
    for (std::string& l : BetLines(*day.Yoso, runners)) lines.push_back(std::move(l));
    return lines;
}

}  // namespace talpo::cli
