// Composition of the race card texts shared by the window and the terminal view.
#include "day/RaceCardText.h"

#include <cstdio>

#include "common/Cp932.h"

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

std::string MarksText(const TDenma& Denma, TYoso& Yoso, int I) {
    Yoso.HorseIndex = I;
    return Yoso.GetMark() + Denma.GetMark(I);
}

}  // namespace talpo
