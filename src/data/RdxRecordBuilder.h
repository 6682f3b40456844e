// Builds race-card and horse records byte by byte: the sample-day generator and the tests make their
// data files with it. Texts are CP932 bytes; each field is written left-aligned into its width and the
// rest of the record stays blank, as the data service fills unused bytes.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/TypeRdx.h"

namespace talpo {

struct DenRunnerPlan {
    std::string HorseCode = "0000001";
    std::string Sex = "0";
    std::string Age = "04";
    std::string Bracket = "1";
    std::string Weight = "550";
    std::string Allowance = "0";
    std::string Mark = " ";
    std::string HorseName;
    std::string Jockey;
    std::string Trainer;
};

struct DenRacePlan {
    std::string KeyHead = "1";  // first key byte, not interpreted
    std::string VenueCode = "4";
    std::string MeetingNo = "03";
    std::string MeetingDay = "02";
    std::string RaceNo = "11";
    std::string Year = "1998";
    std::string Month = "05";
    std::string Day = "24";
    std::string Grade = " ";
    std::string Edition = "   ";
    std::string Title;
    std::string Surface = "1";
    std::string Turn = "1";
    std::string CourseType = "0";
    std::string CourseRail = "0";
    std::string Distance = "2400";
    std::string RunnerCount;  // empty: the number of runners, two digits
    std::string AgeClass = "3";
    std::string AgeClass2 = " ";
    std::string PrizeLimit = "0900";
    std::string RaceClass = "4";
    std::string Condition = "00";
    std::string WeightRule;
    std::string StartTime = "15:40";
    std::string Pace = "1";
    std::string TimeGood = "2245";
    std::string TimeHeavy = "2263";
    std::vector<DenRunnerPlan> Runners;
};

struct UmaHorsePlan {
    std::string HorseCode = "0000001";
    std::array<std::string, TUmaRec::RunCount> Figures{"   ", "   ", "   ", "   ", "   "};
};

// Writes `text` into the field, at most its width; a shorter text leaves the rest of the field as it was.
void PutField(std::string& record, RecordField field, const std::string& text);

std::string BuildDenRecord(const DenRacePlan& race);
std::string BuildUmaRecord(const UmaHorsePlan& horse);

}  // namespace talpo
