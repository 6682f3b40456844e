// TDenma: the race-card file rdx_den.dat held in memory, its races read by index (TDenRace), which cuts
// fields from the race's record and turns codes into the display texts (CP932 bytes).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/PageBuffer.h"
#include "data/TypeRdx.h"

namespace talpo {

// One race of the race-card file, read by its index: the texts of its header and runners, cut from its
// record and decoded. A view of the file's bytes, valid while the TDenma it came from lives.
class TDenRace {
public:
    explicit TDenRace(const char* record) : record_(record) {}

    // Race header, as cut from the record.
    std::string Year() const;
    std::string Month() const;
    std::string Day() const;
    std::string VenueCode() const;
    std::string MeetingNo() const;
    std::string MeetingDay() const;
    std::string RaceNo() const;
    std::string Distance() const;
    std::string RunnerCount() const;  // the field's text; see RunnerSlots for the number
    std::string StartTime() const;

    // The runner count as a number, clamped into 0..18 so that no slot past the record's 18 is ever read.
    // Raises "'%s' は整数ではありません" for a count that is not a whole number.
    int RunnerSlots() const;

    // Runner fields, I = horse number - 1 (0..17); another I raises the list's index error.
    std::string HorseCode(int I) const { return std::string(HorseCodeView(I)); }
    // The same without the text made of it, for the engine's lookup of every runner.
    std::string_view HorseCodeView(int I) const { return RunnerField(I, TDenRunner::HorseCode); }
    std::string Age(int I) const;
    std::string Bracket(int I) const;
    float Weight(int I) const;
    std::string HorseName(int I) const;
    std::string HorseNameRaw(int I) const;  // the 30-byte field as stored, not trimmed
    std::string Jockey(int I) const;
    std::string Trainer(int I) const;

    // Decoded codes of the race.
    std::string VenueName() const;
    std::string Grade() const;
    std::string RaceName() const;
    std::string Surface() const;
    std::string Turn() const;
    std::string CourseType() const;
    std::string CourseRail() const;
    std::string AgeClass() const;
    std::string RaceClass() const;
    std::string Condition() const;
    std::string WeightRule() const;
    std::string TimeGood() const;
    std::string TimeHeavy() const;
    std::string Pace() const;

    // Decoded codes of runner I.
    std::string Mark(int I) const;
    std::string Sex(int I) const;
    std::string Apprentice(int I) const;

private:
    std::string_view Field(RecordField field) const;
    char Code(RecordField field) const { return record_[field.Offset]; }
    const char* Slot(int I) const;
    std::string_view RunnerField(int I, RecordField field) const;
    char RunnerCode(int I, RecordField field) const { return Slot(I)[field.Offset]; }

    const char* record_;
};

class TDenma {
public:
    // Loads the whole file (opened for reading only). Raises the load errors of FileIO.h.
    explicit TDenma(const std::string& fileName);
    // Builds the object from bytes already in memory (tests, fuzzing, archives).
    static TDenma FromBytes(std::string_view bytes, std::string fileName = {});
    // The same taking the bytes' buffer as the object's own, without a copy (archives).
    static TDenma FromBuffer(PageBuffer bytes, std::string fileName = {});

    // The file is held once: a copy is a move or one race's record (FromBytes).
    TDenma(const TDenma&) = delete;
    TDenma& operator=(const TDenma&) = delete;
    TDenma(TDenma&&) noexcept = default;
    TDenma& operator=(TDenma&&) noexcept = default;

    std::int32_t RaceCount = 0;

    const std::string& FileName() const { return fileName_; }

    // Race `race` (0-based); raises the list's index error for another index.
    TDenRace Race(std::int32_t race) const;

    // The window's cursor and the accessors of the race it selects, as the window's pages have always
    // used them; everything else reads races by index (Race).
    std::int32_t RaceIndex = 0;
    std::string GetYear() const { return Current().Year(); }
    std::string GetMonth() const { return Current().Month(); }
    std::string GetDay() const { return Current().Day(); }
    std::string GetVenueCode() const { return Current().VenueCode(); }
    std::string GetMeetingNo() const { return Current().MeetingNo(); }
    std::string GetMeetingDay() const { return Current().MeetingDay(); }
    std::string GetRaceNo() const { return Current().RaceNo(); }
    std::string GetDistance() const { return Current().Distance(); }
    std::string GetRunnerCount() const { return Current().RunnerCount(); }
    std::string GetStartTime() const { return Current().StartTime(); }
    int GetRunnerSlots() const { return Current().RunnerSlots(); }
    std::string GetHorseCode(int I) const { return Current().HorseCode(I); }
    std::string GetAge(int I) const { return Current().Age(I); }
    std::string GetBracket(int I) const { return Current().Bracket(I); }
    float GetWeight(int I) const { return Current().Weight(I); }
    std::string GetHorseName(int I) const { return Current().HorseName(I); }
    std::string GetHorseNameRaw(int I) const { return Current().HorseNameRaw(I); }
    std::string GetJockey(int I) const { return Current().Jockey(I); }
    std::string GetTrainer(int I) const { return Current().Trainer(I); }
    std::string GetVenueName() const { return Current().VenueName(); }
    std::string GetGrade() const { return Current().Grade(); }
    std::string GetRaceName() const { return Current().RaceName(); }
    std::string GetSurface() const { return Current().Surface(); }
    std::string GetTurn() const { return Current().Turn(); }
    std::string GetCourseType() const { return Current().CourseType(); }
    std::string GetCourseRail() const { return Current().CourseRail(); }
    std::string GetAgeClass() const { return Current().AgeClass(); }
    std::string GetRaceClass() const { return Current().RaceClass(); }
    std::string GetCondition() const { return Current().Condition(); }
    std::string GetWeightRule() const { return Current().WeightRule(); }
    std::string GetTimeGood() const { return Current().TimeGood(); }
    std::string GetTimeHeavy() const { return Current().TimeHeavy(); }
    std::string GetPace() const { return Current().Pace(); }
    std::string GetMark(int I) const { return Current().Mark(I); }
    std::string GetSex(int I) const { return Current().Sex(I); }
    std::string GetApprentice(int I) const { return Current().Apprentice(I); }

private:
    TDenma() = default;
    void Adopt(PageBuffer bytes);
    TDenRace Current() const { return Race(RaceIndex); }

    std::string fileName_;
    // RaceCount records of TDenRec::Size bytes, in file order; never changed once loaded.
    PageBuffer records_;
};

}  // namespace talpo
