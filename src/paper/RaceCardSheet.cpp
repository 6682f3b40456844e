// A race's printed card taken from the day: the shared race card texts, the horse file's run figures, and
// the bets, converted to Unicode here at the edge.
#include "paper/RaceCardSheet.h"

#include <algorithm>
#include <optional>

#include "common/Cp932.h"
#include "common/StrConv.h"
#include "common/Version.h"
#include "paper/QtText.h"

namespace talpo {
namespace {

QString Text(const std::string& cp932) {
    return FromCp932(cp932).trimmed();
}

int BracketNumber(const std::string& bracket) {
    return bracket.size() == 1 && bracket[0] >= '1' && bracket[0] <= '8' ? bracket[0] - '0' : 0;
}

// The figures as numbers read ("085" is 85); a block that is no number is shown as it stands, never stressed.
void FillRuns(const TUma& uma, const std::string& horseCode, SheetRunner& row) {
    const TUma::Figures* figures = uma.FindFigures(horseCode);
    if (!figures) return;
    std::array<std::optional<std::int32_t>, kRunFigures> values;
    for (int block = 0; block < kRunFigures; ++block) {
        const std::string_view figure = figures->Run(block);
        values[block] = TryStrToInt(figure);
        row.Runs[block] = values[block] ? QString::number(*values[block]) : Text(std::string(figure));
    }
    std::optional<std::int32_t> best;
    for (const auto& value : values)
        if (value && (!best || *value > *best)) best = value;
    for (int block = 0; block < kRunFigures; ++block) row.Best[block] = best && values[block] == best;
}

SheetRunner MakeRow(const TUma& uma, const TDenRace& den, const TYosoRace& race, const RunnerRow& cells,
                    int I) {
    SheetRunner row;
    row.Bracket = BracketNumber(cells.Cells[ColBracket]);
    row.BracketText = Text(cells.Cells[ColBracket]);
    row.No = Text(cells.Cells[ColNo]);
    row.Mark = Text(race.Horse(I).Mark.Get());
    row.DataMark = Text(den.Mark(I));
    row.Name = Text(cells.Cells[ColName]);
    row.SexAge = Text(cells.Cells[ColSexAge]);
    row.Jockey = Text(cells.Cells[ColJockey]);
    row.Weight = Text(cells.Cells[ColWeight]);
    row.Trainer = Text(cells.Cells[ColTrainer]);
    row.Index = race.Horse(I).Index;
    FillRuns(uma, den.HorseCode(I), row);
    return row;
}

void FillHeader(const TDenRace& den, RaceCardSheet& sheet) {
    const RaceCardHeader h = MakeRaceCardHeader(den);
    sheet.Date = Text(h.Ymd);
    sheet.Meeting = Text(h.Kaisai);
    sheet.Race = Text(h.Race);
    sheet.PostTime = Text(h.StartTime);
    const QString grade = Text(den.Grade());
    sheet.Title = grade.isEmpty() ? Text(h.Title) : Text(h.Title) + U("（") + grade + U("）");
    sheet.Conditions = Text(h.Joken).simplified();
    sheet.Course = Text(h.Course);
    sheet.Runners = Text(h.Tosu);
    sheet.Pace = Text(h.Pace);
    sheet.Times = U("推定タイム 良 %1  重 %2").arg(Text(h.TimeGood), Text(h.TimeHeavy));
}

// The bets as a reader marks them (BetLabel), under the window's titles; a race without a prediction says
// so under the pairs' title.
void FillBets(const TYosoRace& race, int runners, RaceCardSheet& sheet) {
    const BetTable bets = MakeBetTable(race, runners);
    sheet.Predicted = HasPrediction(race);
    for (std::size_t col = 0; col < bets.Titles.size(); ++col) sheet.BetTitles[col] = Text(bets.Titles[col]);
    if (!sheet.Predicted) sheet.Bets[2] << Text(bets.Columns[2].front());
    for (const Bet& bet : race.Tickets())
        sheet.Bets[static_cast<std::size_t>(SlotsOf(bet.Type))] << Text(BetLabel(bet));
}

}  // namespace

RaceCardSheet MakeRaceCardSheet(const TDay& day, int race) {
    const TDenRace den = day.Denma->Race(race);
    const TYosoRace& predicted = day.Yoso->Race(race);
    RaceCardSheet sheet;
    FillHeader(den, sheet);
    for (std::size_t col = 0; col < RunnerColumnCount; ++col)
        sheet.Titles[col] = Text(RunnerColumnTitles()[col]);
    const int runners = den.RunnerSlots();
    int I = 0;
    for (const RunnerRow& cells : MakeRunnerRows(den, predicted, runners))
        sheet.Rows.push_back(MakeRow(*day.Uma, den, predicted, cells, I++));
    FillBets(predicted, runners, sheet);
    sheet.Footer = U("TALPO Ver%1").arg(U(kTalpoVersion));
    sheet.Page = QStringLiteral("%1 / %2").arg(race + 1).arg(day.Denma->RaceCount);
    return sheet;
}

}  // namespace talpo
