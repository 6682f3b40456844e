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

// Puts the day's cursors back however the sheet is left.
class RaceCursor {
public:
    RaceCursor(TDay& day, int race) : day_(day), before_(day.Denma->RaceIndex) { day_.SetRace(race); }
    ~RaceCursor() { day_.SetRace(before_); }
    RaceCursor(const RaceCursor&) = delete;
    RaceCursor& operator=(const RaceCursor&) = delete;

private:
    TDay& day_;
    int before_;
};

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

SheetRunner MakeRow(const TDay& day, const RunnerRow& cells, int I) {
    SheetRunner row;
    row.Bracket = BracketNumber(cells.Cells[ColBracket]);
    row.BracketText = Text(cells.Cells[ColBracket]);
    row.No = Text(cells.Cells[ColNo]);
    row.Mark = Text(day.Yoso->HorseAt(day.Yoso->RaceIndex, I).Mark.Get());
    row.DataMark = Text(day.Denma->GetMark(I));
    row.Name = Text(cells.Cells[ColName]);
    row.SexAge = Text(cells.Cells[ColSexAge]);
    row.Jockey = Text(cells.Cells[ColJockey]);
    row.Weight = Text(cells.Cells[ColWeight]);
    row.Trainer = Text(cells.Cells[ColTrainer]);
    row.Index = day.Yoso->HorseAt(day.Yoso->RaceIndex, I).Index;
    FillRuns(*day.Uma, day.Denma->GetHorseCode(I), row);
    return row;
}

void FillHeader(const TDenma& denma, RaceCardSheet& sheet) {
    const RaceCardHeader h = MakeRaceCardHeader(denma);
    sheet.Date = Text(h.Ymd);
    sheet.Meeting = Text(h.Kaisai);
    sheet.Race = Text(h.Race);
    sheet.PostTime = Text(h.StartTime);
    const QString grade = Text(denma.GetGrade());
    sheet.Title = grade.isEmpty() ? Text(h.Title) : Text(h.Title) + U("（") + grade + U("）");
    sheet.Conditions = Text(h.Joken).simplified();
    sheet.Course = Text(h.Course);
    sheet.Runners = Text(h.Tosu);
    sheet.Pace = Text(h.Pace);
    sheet.Times = U("推定タイム 良 %1  重 %2").arg(Text(h.TimeGood), Text(h.TimeHeavy));
}

// A bet as a reader marks it: without the store's padding, and a pair with its dash also where the store
// writes the two brackets side by side ("   15" is 1-5).
QString BetText(const std::string& cp932, bool pair) {
    QString text = Text(cp932).remove(QLatin1Char(' '));
    if (pair && text.size() == 2 && !text.contains(QLatin1Char('-'))) text.insert(1, QLatin1Char('-'));
    return text;
}

void FillBets(const TYoso& yoso, int runners, RaceCardSheet& sheet) {
    const BetTable bets = MakeBetTable(yoso, runners);
    sheet.Predicted = HasPrediction(yoso.RaceAt(yoso.RaceIndex));
    for (std::size_t col = 0; col < bets.Titles.size(); ++col) {
        sheet.BetTitles[col] = Text(bets.Titles[col]);
        for (const std::string& bet : bets.Columns[col])
            if (const QString text = BetText(bet, col == 2); !text.isEmpty()) sheet.Bets[col] << text;
    }
}

}  // namespace

RaceCardSheet MakeRaceCardSheet(TDay& day, int race) {
    const RaceCursor cursor(day, race);
    RaceCardSheet sheet;
    FillHeader(*day.Denma, sheet);
    for (std::size_t col = 0; col < RunnerColumnCount; ++col)
        sheet.Titles[col] = Text(RunnerColumnTitles()[col]);
    const int runners = day.Denma->GetRunnerSlots();
    int I = 0;
    for (const RunnerRow& cells : MakeRunnerRows(*day.Denma, *day.Yoso, runners))
        sheet.Rows.push_back(MakeRow(day, cells, I++));
    FillBets(*day.Yoso, runners, sheet);
    sheet.Footer = U("TALPO Ver%1").arg(U(kTalpoVersion));
    sheet.Page = QStringLiteral("%1 / %2").arg(race + 1).arg(day.Denma->RaceCount);
    return sheet;
}

}  // namespace talpo
