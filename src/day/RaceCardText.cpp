// Composition of the race card texts shared by the window and the terminal view.
#include "day/RaceCardText.h"

#include <cstdio>

#include "common/Cp932.h"
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

RaceCardHeader MakeRaceCardHeader(const TDenma& d) {
    const Words& w = W();
    RaceCardHeader h;
    h.Ymd = d.GetYear() + w.nen + d.GetMonth() + w.gatsu + d.GetDay() + w.nichi;
    h.Kaisai = d.GetMeetingNo() + w.kai + d.GetVenueName() + d.GetMeetingDay() + w.nichime;
    h.Race = d.GetRaceNo() + "R";
    h.StartTime = d.GetStartTime() + w.hasso;
    h.Tosu = d.GetRunnerCount() + w.tosu;
    h.Joken =
        d.GetAgeClass() + " " + d.GetRaceClass() + " " + d.GetGrade() + d.GetCondition() + d.GetWeightRule();
    h.Title = d.GetRaceName();
    h.Turf = d.GetSurface() == w.shiba;
    h.Course =
        d.GetSurface() + d.GetDistance() + "m" + w.dot + d.GetTurn() + d.GetCourseRail() + d.GetCourseType();
    h.TimeGood = d.GetTimeGood();
    h.TimeHeavy = d.GetTimeHeavy();
    const std::string pace = d.GetPace();
    if (!pace.empty()) h.Pace = w.pace + pace;
    return h;
}

std::string FormatWeight(float kilograms) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", static_cast<double>(kilograms));
    std::string text = buf;
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, ".0") == 0) text.resize(text.size() - 2);
    return text;
}

std::string WeightText(const TDenma& Denma, int I) {
    return FormatWeight(Denma.GetWeight(I)) + Denma.GetApprentice(I);
}

std::string PairColumnTitle(int runnerCount) {
    return runnerCount >= 9 ? W().umaren : W().wakuren;
}

std::string MarksText(const TDenma& Denma, const TYoso& Yoso, int I) {
    return Yoso.HorseAt(Yoso.RaceIndex, I).Mark.Get() + Denma.GetMark(I);
}

const RunnerCells& RunnerColumnTitles() {
    return W().runnerTitles;
}

std::vector<RunnerRow> MakeRunnerRows(const TDenma& Denma, const TYoso& Yoso, int runners) {
    std::vector<RunnerRow> rows;
    for (int I = 0; I < runners; ++I) {
        RunnerRow row;
        RunnerCells& c = row.Cells;
        c[ColBracket] = Denma.GetBracket(I);
        c[ColNo] = std::to_string(I + 1);
        c[ColMarks] = MarksText(Denma, Yoso, I);
        c[ColName] = Denma.GetHorseNameRaw(I);
        c[ColSexAge] = Denma.GetSex(I) + Denma.GetAge(I);
        c[ColJockey] = Denma.GetJockey(I);
        // One bad weight spoils only its own cell: the rest of the race is still shown.
        try {
            c[ColWeight] = WeightText(Denma, I);
        } catch (const ETalpoError& e) {
            row.WeightError = e.what();
        }
        c[ColTrainer] = Denma.GetTrainer(I);
        c[ColIndex] = std::to_string(Yoso.HorseAt(Yoso.RaceIndex, I).Index);
        rows.push_back(std::move(row));
    }
    return rows;
}

BetTable MakeBetTable(const TYoso& Yoso, int runners) {
    constexpr std::size_t kPlaceShown = 3;
    constexpr std::size_t kPairsShown = 8;
    const TYosoRace& race = Yoso.RaceAt(Yoso.RaceIndex);
    BetTable table;
    table.Titles = {W().tansho, W().fukusho, PairColumnTitle(runners)};
    // Said where it has room (the pair column is the widest), instead of indices of 0 and "--" without a
    // word.
    if (!HasPrediction(race)) {
        table.Columns[2].push_back(W().noPrediction);
        return table;
    }
    table.Columns[0].push_back(race.WinBets[0].Get());
    for (std::size_t slot = 0; slot < kPlaceShown; ++slot)
        table.Columns[1].push_back(race.PlaceBets[slot].Get());
    for (std::size_t slot = 0; slot < kPairsShown; ++slot)
        table.Columns[2].push_back(race.PairBets[slot].Get());
    return table;
}

}  // namespace talpo
