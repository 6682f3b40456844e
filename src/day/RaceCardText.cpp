// Composition of the race card texts shared by the window and the terminal view.
#include "day/RaceCardText.h"

#include "common/Cp932.h"
#include "common/StrConv.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

struct Words {
    std::string nen = Sj("年"), gatsu = Sj("月"), nichi = Sj("日");
    std::string kai = Sj("回"), nichime = Sj("日目");
    std::string hasso = Sj("発走"), tosu = Sj("頭立");
    std::string dot = Sj("･");
    std::string pace = Sj("予想ペース ");
    std::string shiba = Sj("芝");
    std::string wakuren = Sj("枠連"), umaren = Sj("馬連");
    std::string tansho = Sj("単勝"), fukusho = Sj("複勝");
    std::string noPrediction = Sj("予想無し");
    RunnerCells runnerTitles = {Sj("枠"),     Sj("馬"),   Sj("ＭＫ"),   Sj("馬    名"), Sj("性齢"),
                                Sj("騎  手"), Sj("負担"), Sj("調教師"), Sj("指数")};
};

const Words& W() {
    static const Words words;
    return words;
}

}  // namespace

RaceCardHeader MakeRaceCardHeader(const TDenRace& d) {
    const Words& w = W();
    RaceCardHeader h;
    h.Ymd = d.Year() + w.nen + d.Month() + w.gatsu + d.Day() + w.nichi;
    h.Kaisai = d.MeetingNo() + w.kai + d.VenueName() + d.MeetingDay() + w.nichime;
    h.Race = d.RaceNo() + "R";
    h.StartTime = d.StartTime() + w.hasso;
    h.Tosu = d.RunnerCount() + w.tosu;
    h.Joken = d.AgeClass() + " " + d.RaceClass() + " " + d.Grade() + d.Condition() + d.WeightRule();
    h.Title = d.RaceName();
    h.Turf = d.Surface() == w.shiba;
    h.Course = d.Surface() + d.Distance() + "m" + w.dot + d.Turn() + d.CourseRail() + d.CourseType();
    h.TimeGood = d.TimeGood();
    h.TimeHeavy = d.TimeHeavy();
    const std::string pace = d.Pace();
    if (!pace.empty()) h.Pace = w.pace + pace;
    return h;
}

std::string FormatWeight(float kilograms) {
    std::string text = FixedText(kilograms, 1);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, ".0") == 0) text.resize(text.size() - 2);
    return text;
}

std::string WeightText(const TDenRace& den, int I) {
    return FormatWeight(den.Weight(I)) + den.Apprentice(I);
}

std::string PairColumnTitle(int runnerCount) {
    return PairType(runnerCount) == BetType::Quinella ? W().umaren : W().wakuren;
}

std::string MarksText(const TDenRace& den, const TYosoRace& race, int I) {
    return race.Horse(I).Mark.Get() + den.Mark(I);
}

const RunnerCells& RunnerColumnTitles() {
    return W().runnerTitles;
}

std::vector<RunnerRow> MakeRunnerRows(const TDenRace& den, const TYosoRace& race, int runners) {
    std::vector<RunnerRow> rows;
    for (int I = 0; I < runners; ++I) {
        RunnerRow row;
        RunnerCells& c = row.Cells;
        c[ColBracket] = den.Bracket(I);
        c[ColNo] = std::to_string(I + 1);
        c[ColMarks] = MarksText(den, race, I);
        c[ColName] = den.HorseNameRaw(I);
        c[ColSexAge] = den.Sex(I) + den.Age(I);
        c[ColJockey] = den.Jockey(I);
        // One bad weight spoils only its own cell: the rest of the race is still shown.
        try {
            c[ColWeight] = WeightText(den, I);
        } catch (const ETalpoError& e) {
            row.WeightError = e.what();
        }
        c[ColTrainer] = den.Trainer(I);
        c[ColIndex] = std::to_string(race.Horse(I).Index);
        rows.push_back(std::move(row));
    }
    return rows;
}

BetTable MakeBetTable(const TYosoRace& race, int runners) {
    BetTable table;
    table.Titles = {W().tansho, W().fukusho, PairColumnTitle(runners)};
    // Said where it has room (the pair column is the widest), instead of indices of 0 and "--" without a
    // word.
    if (!HasPrediction(race)) {
        table.Columns[2].push_back(W().noPrediction);
        return table;
    }
    for (std::size_t row = 0; row < kSlotCounts.size(); ++row)
        table.Columns[row] = SlotTexts(race, static_cast<BetSlots>(row), kSlotCounts[row]);
    return table;
}

}  // namespace talpo
