// Record building for generated days and test data.
#include "data/RdxRecordBuilder.h"

#include <algorithm>
#include <cstdio>

#include "data/TypeRdx.h"

namespace talpo {

void PutField(std::string& record, RecordField field, const std::string& text) {
    const std::size_t n = std::min(field.Width, text.size());
    record.replace(field.Offset, n, text, 0, n);
}

std::string BuildDenRecord(const DenRacePlan& r) {
    std::string rec(TDenRec::Size, ' ');
    PutField(rec, TDenRec::KeyHead, r.KeyHead);
    PutField(rec, TDenRec::VenueCode, r.VenueCode);
    PutField(rec, TDenRec::KeyZeros, std::string(TDenRec::KeyZeros.Width, '0'));
    PutField(rec, TDenRec::MeetingNo, r.MeetingNo);
    PutField(rec, TDenRec::MeetingDay, r.MeetingDay);
    PutField(rec, TDenRec::RaceNo, r.RaceNo);
    PutField(rec, TDenRec::Year, r.Year);
    PutField(rec, TDenRec::Month, r.Month);
    PutField(rec, TDenRec::Day, r.Day);
    PutField(rec, TDenRec::Grade, r.Grade);
    PutField(rec, TDenRec::Edition, r.Edition);
    PutField(rec, TDenRec::Title, r.Title);
    PutField(rec, TDenRec::Surface, r.Surface);
    PutField(rec, TDenRec::Turn, r.Turn);
    PutField(rec, TDenRec::CourseType, r.CourseType);
    PutField(rec, TDenRec::CourseRail, r.CourseRail);
    PutField(rec, TDenRec::Distance, r.Distance);
    std::string count = r.RunnerCount;
    if (count.empty()) {
        static_assert(TDenRec::RunnerCount.Width == 2, "the count below is written as two digits");
        char buf[8];
        std::snprintf(buf, sizeof buf, "%02d", static_cast<int>(r.Runners.size() % 100));
        count = buf;
    }
    PutField(rec, TDenRec::RunnerCount, count);
    PutField(rec, TDenRec::AgeClass, r.AgeClass);
    PutField(rec, TDenRec::AgeClass2, r.AgeClass2);
    PutField(rec, TDenRec::PrizeLimit, r.PrizeLimit);
    PutField(rec, TDenRec::RaceClass, r.RaceClass);
    PutField(rec, TDenRec::Condition, r.Condition);
    PutField(rec, TDenRec::WeightRule, r.WeightRule);
    PutField(rec, TDenRec::StartTime, r.StartTime);
    PutField(rec, TDenRec::Pace, r.Pace);
    PutField(rec, TDenRec::TimeGood, r.TimeGood);
    PutField(rec, TDenRec::TimeHeavy, r.TimeHeavy);
    for (std::size_t i = 0; i < r.Runners.size() && i < static_cast<std::size_t>(TDenRec::MaxRunners); ++i) {
        const DenRunnerPlan& h = r.Runners[i];
        PutField(rec, TDenRec::Runners.At(i, TDenRunner::HorseCode), h.HorseCode);
        PutField(rec, TDenRec::Runners.At(i, TDenRunner::Sex), h.Sex);
        PutField(rec, TDenRec::Runners.At(i, TDenRunner::Age), h.Age);
        PutField(rec, TDenRec::Runners.At(i, TDenRunner::Bracket), h.Bracket);
        PutField(rec, TDenRec::Runners.At(i, TDenRunner::Weight), h.Weight);
        PutField(rec, TDenRec::Runners.At(i, TDenRunner::Allowance), h.Allowance);
        PutField(rec, TDenRec::Runners.At(i, TDenRunner::Mark), h.Mark);
        PutField(rec, TDenRec::Runners.At(i, TDenRunner::HorseName), h.HorseName);
        PutField(rec, TDenRec::Runners.At(i, TDenRunner::Jockey), h.Jockey);
        PutField(rec, TDenRec::Runners.At(i, TDenRunner::Trainer), h.Trainer);
    }
    return rec;
}

std::string BuildUmaRecord(const UmaHorsePlan& h) {
    std::string rec(TUmaRec::Size, ' ');
    PutField(rec, TUmaRec::HorseCode, h.HorseCode);
    for (std::size_t j = 0; j < h.Figures.size(); ++j) {
        PutField(rec, TUmaRec::Runs.At(j, TUmaRun::Figure), h.Figures[j]);
    }
    return rec;
}

}  // namespace talpo
