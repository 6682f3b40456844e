// Record layouts of the day's two data files: rdx_den.dat (one race per record) and rdx_uma.dat (one
// horse per record). Fixed lengths, no header, no separator; offsets count bytes from 0. The readers and
// the record builder take every offset and width from here, so that each is written down once.
#pragma once

#include <cstddef>
#include <initializer_list>

namespace talpo {

// Width bytes from Offset, counted from the start of the record, or of the block for the fields of a
// runner slot or a run block.
struct RecordField {
    std::size_t Offset;
    std::size_t Width;

    constexpr std::size_t End() const { return Offset + Width; }
};

// Count blocks of BlockSize bytes each, one straight after the other from Offset.
struct RecordBlocks {
    std::size_t Offset;
    std::size_t Count;
    std::size_t BlockSize;

    constexpr std::size_t End() const { return Offset + Count * BlockSize; }
    constexpr std::size_t BlockOffset(std::size_t index) const { return Offset + index * BlockSize; }
    // A field of block `index`, placed in the whole record.
    constexpr RecordField At(std::size_t index, RecordField field) const {
        return {BlockOffset(index) + field.Offset, field.Width};
    }
};

// The readers cut fields without looking at the record's length: a field that ended past it would read
// the next record, or past the end of the file's bytes for the last one.
constexpr bool FitIn(std::size_t size, std::initializer_list<RecordField> fields) {
    for (const RecordField& field : fields) {
        if (field.End() > size) return false;
    }
    return true;
}

// One runner of a race; offsets count from the start of its slot.
struct TDenRunner {
    static constexpr std::size_t Size = 76;

    static constexpr RecordField HorseCode{0, 7};    // key into the horse file
    static constexpr RecordField Sex{7, 1};          // sex code
    static constexpr RecordField Age{8, 2};          // age in years
    static constexpr RecordField Bracket{10, 1};     // bracket "1".."8"
    static constexpr RecordField Weight{13, 3};      // weight carried, tenths of a kg
    static constexpr RecordField Allowance{16, 1};   // weight-allowance code
    static constexpr RecordField Mark{28, 1};        // the data's own mark code
    static constexpr RecordField HorseName{30, 30};  // horse name, blank padded
    static constexpr RecordField Jockey{60, 8};      // jockey name
    static constexpr RecordField Trainer{68, 8};     // trainer name
};

struct TDenRec {
    static constexpr std::size_t Size = 1537;
    static constexpr int MaxRunners = 18;
    // A runner count as a number of slots to read: a count outside 0..18 reads none or all 18, never a
    // slot past the record's. Every numeric use of a count goes through this.
    static constexpr int RunnerSlots(long long count) {
        return count < 0 ? 0 : count > MaxRunners ? MaxRunners : static_cast<int>(count);
    }

    static constexpr RecordField Key{0, 12};          // race key, made of the six fields below
    static constexpr RecordField KeyHead{0, 1};       // first key byte, not interpreted
    static constexpr RecordField VenueCode{1, 1};     // venue digit "0".."9"
    static constexpr RecordField KeyZeros{2, 4};      // key bytes not interpreted, "0000"
    static constexpr RecordField MeetingNo{6, 2};     // meeting of the year at the venue (回)
    static constexpr RecordField MeetingDay{8, 2};    // day within the meeting (日目)
    static constexpr RecordField RaceNo{10, 2};       // race number
    static constexpr RecordField Year{12, 4};         // race date, year
    static constexpr RecordField Month{16, 2};        // race date, month
    static constexpr RecordField Day{18, 2};          // race date, day
    static constexpr RecordField Grade{21, 1};        // grade code
    static constexpr RecordField Edition{22, 3};      // edition of a named race, blank when none
    static constexpr RecordField Title{25, 30};       // race title, blank padded
    static constexpr RecordField Surface{55, 1};      // surface code
    static constexpr RecordField Turn{56, 1};         // turn code
    static constexpr RecordField CourseType{57, 1};   // course code
    static constexpr RecordField CourseRail{58, 1};   // rail code
    static constexpr RecordField Distance{59, 4};     // metres
    static constexpr RecordField RunnerCount{63, 2};  // number of runners
    static constexpr RecordField AgeClass{65, 1};     // age-class code
    static constexpr RecordField AgeClass2{66, 1};    // second age-class code (hurdle races)
    static constexpr RecordField PrizeLimit{67, 4};   // class prize-money limit, 10,000 yen
    static constexpr RecordField RaceClass{71, 1};    // race-class code
    static constexpr RecordField Condition{72, 2};    // race-condition code "00".."14"
    static constexpr RecordField WeightRule{76, 18};  // weight-rule text
    static constexpr RecordField StartTime{99, 5};    // post time, shown as it stands
    static constexpr RecordField Pace{104, 1};        // expected-pace code
    static constexpr RecordField TimeGood{150, 4};    // estimated time on good going, m ss t
    static constexpr RecordField TimeHeavy{154, 4};   // estimated time on heavy going
    static constexpr RecordBlocks Runners{159, MaxRunners, TDenRunner::Size};  // the runner slots
};

// One past run of a horse; offsets count from the start of its block.
struct TUmaRun {
    static constexpr std::size_t Size = 235;

    static constexpr RecordField Figure{0, 3};  // figure of the run, right-aligned, or three blanks
};

struct TUmaRec {
    static constexpr std::size_t Size = 2247;
    static constexpr int RunCount = 5;

    static constexpr RecordField HorseCode{0, 7};                      // the lookup key
    static constexpr RecordBlocks Runs{526, RunCount, TUmaRun::Size};  // the run blocks
};

// The sizes are those of the files as delivered; a change here is a different file, not a new layout.
static_assert(TDenRec::Size == 1537 && TDenRunner::Size == 76);
static_assert(TUmaRec::Size == 2247 && TUmaRun::Size == 235);

static_assert(FitIn(TDenRunner::Size,
                    {TDenRunner::HorseCode, TDenRunner::Sex, TDenRunner::Age, TDenRunner::Bracket,
                     TDenRunner::Weight, TDenRunner::Allowance, TDenRunner::Mark, TDenRunner::HorseName,
                     TDenRunner::Jockey, TDenRunner::Trainer}));
static_assert(FitIn(TDenRec::Size,
                    {TDenRec::Key,        TDenRec::KeyHead,    TDenRec::VenueCode,   TDenRec::KeyZeros,
                     TDenRec::MeetingNo,  TDenRec::MeetingDay, TDenRec::RaceNo,      TDenRec::Year,
                     TDenRec::Month,      TDenRec::Day,        TDenRec::Grade,       TDenRec::Edition,
                     TDenRec::Title,      TDenRec::Surface,    TDenRec::Turn,        TDenRec::CourseType,
                     TDenRec::CourseRail, TDenRec::Distance,   TDenRec::RunnerCount, TDenRec::AgeClass,
                     TDenRec::AgeClass2,  TDenRec::PrizeLimit, TDenRec::RaceClass,   TDenRec::Condition,
                     TDenRec::WeightRule, TDenRec::StartTime,  TDenRec::Pace,        TDenRec::TimeGood,
                     TDenRec::TimeHeavy}));
static_assert(TDenRec::Runners.End() <= TDenRec::Size);

static_assert(FitIn(TUmaRun::Size, {TUmaRun::Figure}));
static_assert(FitIn(TUmaRec::Size, {TUmaRec::HorseCode}));
static_assert(TUmaRec::Runs.End() <= TUmaRec::Size);

}  // namespace talpo
