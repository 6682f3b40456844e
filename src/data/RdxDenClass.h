// TDenma: the race-card file rdx_den.dat held in memory, one race at a time through the RaceIndex cursor.
// Accessors cut fields from the current record and turn codes into the display texts (CP932 bytes).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/PageBuffer.h"
#include "data/TypeRdx.h"

namespace talpo {

class TDenma {
public:
    // Loads the whole file (opened for reading only). Raises the load errors of FileIO.h.
    explicit TDenma(const std::string& fileName);
    // Builds the object from bytes already in memory (tests, fuzzing, archives).
    static TDenma FromBytes(std::string_view bytes, std::string fileName = {});
    // The same taking the bytes' buffer as the object's own, without a copy (archives).
    static TDenma FromBuffer(PageBuffer bytes, std::string fileName = {});

    // Public cursors, as callers have always used them: set RaceIndex before calling any accessor.
    std::int32_t RaceIndex = 0;
    std::int32_t RaceCount = 0;

    const std::string& FileName() const { return fileName_; }

    // The current race's 1537 bytes; raises the list's index error for a bad RaceIndex.
    const char* GetRaceRecord() const;
    // Race `race`'s record, the cursor left where it is.
    const char* GetRaceRecord(std::int32_t race) const;

    // The file is held once: a copy is a move or one race's record (FromBytes).
    TDenma(const TDenma&) = delete;
    TDenma& operator=(const TDenma&) = delete;
    TDenma(TDenma&&) noexcept = default;
    TDenma& operator=(TDenma&&) noexcept = default;

    // Race header, as cut from the record.
    std::string GetYear() const;
    std::string GetMonth() const;
    std::string GetDay() const;
    std::string GetVenueCode() const;
    std::string GetMeetingNo() const;
    std::string GetMeetingDay() const;
    std::string GetRaceNo() const;
    std::string GetDistance() const;
    std::string GetRunnerCount() const;  // the field's text; see GetRunnerSlots for the number
    std::string GetStartTime() const;

    // The runner count as a number, clamped into 0..18 so that no slot past the record's 18 is ever read.
    // Raises "'%s' は整数ではありません" for a count that is not a whole number.
    int GetRunnerSlots() const;

    // Runner fields, I = horse number - 1 (0..17).
    std::string GetHorseCode(int I) const;
    std::string GetAge(int I) const;
    std::string GetBracket(int I) const;
    float GetWeight(int I) const;
    std::string GetHorseName(int I) const;
    std::string GetHorseNameRaw(int I) const;  // the 30-byte field as stored, not trimmed
    std::string GetJockey(int I) const;
    std::string GetTrainer(int I) const;

    // Decoded codes of the race.
    std::string GetVenueName() const;
    std::string GetGrade() const;
    std::string GetRaceName() const;
    std::string GetSurface() const;
    std::string GetTurn() const;
    std::string GetCourseType() const;
    std::string GetCourseRail() const;
    std::string GetAgeClass() const;
    std::string GetRaceClass() const;
    std::string GetCondition() const;
    std::string GetWeightRule() const;
    std::string GetTimeGood() const;
    std::string GetTimeHeavy() const;
    std::string GetPace() const;

    // Decoded codes of runner I.
    std::string GetMark(int I) const;
    std::string GetSex(int I) const;
    std::string GetApprentice(int I) const;

private:
    TDenma() = default;
    void Adopt(PageBuffer bytes);
    std::string_view Field(RecordField field) const;
    char Code(RecordField field) const;
    const char* Slot(int I) const;
    std::string_view RunnerField(int I, RecordField field) const;
    char RunnerCode(int I, RecordField field) const;

    std::string fileName_;
    // RaceCount records of TDenRec::Size bytes, in file order; never changed once loaded.
    PageBuffer records_;
};

}  // namespace talpo
