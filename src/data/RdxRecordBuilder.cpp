// Record building for generated days and test data.
#include "data/RdxRecordBuilder.h"

#include <algorithm>
#include <cstdio>

#include "data/TypeRdx.h"

namespace talpo {

void PutField(std::string& record, std::size_t offset, std::size_t width, const std::string& text) {
    record.replace(offset, std::min(width, text.size()), text, 0, std::min(width, text.size()));
}

std::string BuildDenRecord(const DenRaceSpec& r) {
    std::string rec(TDenRec::Size, ' ');
    PutField(rec, 0, 1, r.KeyHead);
    PutField(rec, TDenRec::VenueCode, 1, r.VenueCode);
    PutField(rec, 2, 4, "0000");
    PutField(rec, TDenRec::MeetingNo, 2, r.MeetingNo);
    PutField(rec, TDenRec::MeetingDay, 2, r.MeetingDay);
    PutField(rec, TDenRec::RaceNo, 2, r.RaceNo);
    PutField(rec, TDenRec::Year, 4, r.Year);
    PutField(rec, TDenRec::Month, 2, r.Month);
    PutField(rec, TDenRec::Day, 2, r.Day);
    PutField(rec, TDenRec::Grade, 1, r.Grade);
    PutField(rec, TDenRec::Edition, 3, r.Edition);
    PutField(rec, TDenRec::Title, 30, r.Title);
    PutField(rec, TDenRec::Surface, 1, r.Surface);
    PutField(rec, TDenRec::Turn, 1, r.Turn);
    PutField(rec, TDenRec::CourseType, 1, r.CourseType);
    PutField(rec, TDenRec::CourseRail, 1, r.CourseRail);
    PutField(rec, TDenRec::Distance, 4, r.Distance);
    std::string count = r.RunnerCount;
    if (count.empty()) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%02d", static_cast<int>(r.Runners.size() % 100));
        count = buf;
    }
    PutField(rec, TDenRec::RunnerCount, 2, count);
    PutField(rec, TDenRec::AgeClass, 1, r.AgeClass);
    PutField(rec, TDenRec::AgeClass2, 1, r.AgeClass2);
    PutField(rec, TDenRec::PrizeLimit, 4, r.PrizeLimit);
    PutField(rec, TDenRec::RaceClass, 1, r.RaceClass);
    PutField(rec, TDenRec::Condition, 2, r.Condition);
    PutField(rec, TDenRec::WeightRule, 18, r.WeightRule);
    PutField(rec, TDenRec::StartTime, 5, r.StartTime);
    PutField(rec, TDenRec::Pace, 1, r.Pace);
    PutField(rec, TDenRec::TimeGood, 4, r.TimeGood);
    PutField(rec, TDenRec::TimeHeavy, 4, r.TimeHeavy);
    for (std::size_t i = 0; i < r.Runners.size() && i < static_cast<std::size_t>(TDenRec::MaxRunners); ++i) {
        const DenRunnerSpec& h = r.Runners[i];
        const std::size_t s = TDenRec::Runners + i * TDenRunner::Size;
        PutField(rec, s + TDenRunner::HorseCode, 7, h.HorseCode);
        PutField(rec, s + TDenRunner::Sex, 1, h.Sex);
        PutField(rec, s + TDenRunner::Age, 2, h.Age);
        PutField(rec, s + TDenRunner::Bracket, 1, h.Bracket);
        PutField(rec, s + TDenRunner::Weight, 3, h.Weight);
        PutField(rec, s + TDenRunner::Allowance, 1, h.Allowance);
        PutField(rec, s + TDenRunner::Mark, 1, h.Mark);
        PutField(rec, s + TDenRunner::HorseName, 30, h.HorseName);
        PutField(rec, s + TDenRunner::Jockey, 8, h.Jockey);
        PutField(rec, s + TDenRunner::Trainer, 8, h.Trainer);
    }
    return rec;
}

std::string BuildUmaRecord(const UmaHorseSpec& h) {
    std::string rec(TUmaRec::Size, ' ');
    PutField(rec, TUmaRec::HorseCode, 7, h.HorseCode);
    for (std::size_t j = 0; j < h.Figures.size(); ++j) {
        PutField(rec, TUmaRec::Runs + j * TUmaRun::Size + TUmaRun::Figure, 3, h.Figures[j]);
    }
    return rec;
}

}  // namespace talpo
