// The record layouts read as a whole: no byte of a record belongs to two fields, the race key is made of
// its parts, and the runner slots and run blocks follow one another through their areas. A slip in one
// offset or width would otherwise show only as a neighbouring field's text cut short or run on, and only
// in data that fills both fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/TypeRdx.h"

namespace talpo {
namespace {

struct Named {
    std::string Name;
    RecordField Field;
};

// Which field each byte of a record belongs to, filled in field by field.
class ByteOwners {
public:
    explicit ByteOwners(std::size_t size) : owner_(size) {}

    void Claim(const Named& field) {
        EXPECT_GT(field.Field.Width, 0u) << field.Name << " has no bytes";
        EXPECT_LE(field.Field.End(), owner_.size())
            << field.Name << " runs past the " << owner_.size() << " bytes";
        const std::size_t end = std::min(field.Field.End(), owner_.size());
        for (std::size_t b = field.Field.Offset; b < end; ++b) {
            if (!owner_[b].empty()) {
                ADD_FAILURE() << field.Name << " and " << owner_[b] << " share byte " << b;
                return;
            }
            owner_[b] = field.Name;
        }
    }

    void Claim(const std::vector<Named>& fields) {
        for (const Named& field : fields) Claim(field);
    }

    // The bytes from `from` up to `to` that no field has claimed.
    std::vector<std::size_t> Unclaimed(std::size_t from, std::size_t to) const {
        std::vector<std::size_t> free;
        for (std::size_t b = from; b < to && b < owner_.size(); ++b) {
            if (owner_[b].empty()) free.push_back(b);
        }
        return free;
    }

private:
    std::vector<std::string> owner_;
};

// The parts of the race key, which together make TDenRec::Key.
const std::vector<Named> kKeyParts = {
    {"KeyHead", TDenRec::KeyHead},     {"VenueCode", TDenRec::VenueCode},   {"KeyZeros", TDenRec::KeyZeros},
    {"MeetingNo", TDenRec::MeetingNo}, {"MeetingDay", TDenRec::MeetingDay}, {"RaceNo", TDenRec::RaceNo},
};

// The race record's fields after the key, up to the runner slots.
const std::vector<Named> kRaceFields = {
    {"Year", TDenRec::Year},
    {"Month", TDenRec::Month},
    {"Day", TDenRec::Day},
    {"Grade", TDenRec::Grade},
    {"Edition", TDenRec::Edition},
    {"Title", TDenRec::Title},
    {"Surface", TDenRec::Surface},
    {"Turn", TDenRec::Turn},
    {"CourseType", TDenRec::CourseType},
    {"CourseRail", TDenRec::CourseRail},
    {"Distance", TDenRec::Distance},
    {"RunnerCount", TDenRec::RunnerCount},
    {"AgeClass", TDenRec::AgeClass},
    {"AgeClass2", TDenRec::AgeClass2},
    {"PrizeLimit", TDenRec::PrizeLimit},
    {"RaceClass", TDenRec::RaceClass},
    {"Condition", TDenRec::Condition},
    {"WeightRule", TDenRec::WeightRule},
    {"StartTime", TDenRec::StartTime},
    {"Pace", TDenRec::Pace},
    {"TimeGood", TDenRec::TimeGood},
    {"TimeHeavy", TDenRec::TimeHeavy},
};

const std::vector<Named> kRunnerFields = {
    {"HorseCode", TDenRunner::HorseCode},
    {"Sex", TDenRunner::Sex},
    {"Age", TDenRunner::Age},
    {"Bracket", TDenRunner::Bracket},
    {"Weight", TDenRunner::Weight},
    {"Allowance", TDenRunner::Allowance},
    {"Mark", TDenRunner::Mark},
    {"HorseName", TDenRunner::HorseName},
    {"Jockey", TDenRunner::Jockey},
    {"Trainer", TDenRunner::Trainer},
};

// Every field of every block, placed in the record and named with its block.
std::vector<Named> InBlocks(const std::string& what, const RecordBlocks& blocks,
                            const std::vector<Named>& fields) {
    std::vector<Named> placed;
    for (std::size_t i = 0; i < blocks.Count; ++i) {
        for (const Named& field : fields) {
            placed.push_back({what + " " + std::to_string(i) + " " + field.Name, blocks.At(i, field.Field)});
        }
    }
    return placed;
}

TEST(RecordLayout, RaceFieldsAndRunnerSlotsShareNoByte) {
    ByteOwners race(TDenRec::Size);
    race.Claim(kKeyParts);
    race.Claim(kRaceFields);
    race.Claim(InBlocks("runner", TDenRec::Runners, kRunnerFields));
}

TEST(RecordLayout, HorseCodeAndRunBlocksShareNoByte) {
    ByteOwners horse(TUmaRec::Size);
    horse.Claim({"HorseCode", TUmaRec::HorseCode});
    horse.Claim(InBlocks("run", TUmaRec::Runs, {{"Figure", TUmaRun::Figure}}));
}

TEST(RecordLayout, RaceKeyIsExactlyItsParts) {
    // The record builder writes the key part by part: a byte of the key no part holds would stay blank,
    // and a part outside it would not be the key.
    ByteOwners key(TDenRec::Key.End());
    key.Claim(kKeyParts);
    EXPECT_EQ(key.Unclaimed(TDenRec::Key.Offset, TDenRec::Key.End()), std::vector<std::size_t>{});
}

TEST(RecordLayout, SlotsAndBlocksFillTheirAreas) {
    // Blocks that share no byte, stay in the area and leave none of it over lie one after the other
    // through the whole area: the readers find slot i where the record builder put it.
    struct Area {
        std::string Name;
        RecordBlocks Blocks;
        std::size_t RecordSize;
    };
    for (const Area& area : {Area{"runner slot", TDenRec::Runners, TDenRec::Size},
                             Area{"run block", TUmaRec::Runs, TUmaRec::Size}}) {
        SCOPED_TRACE(area.Name);
        ByteOwners record(area.RecordSize);
        for (std::size_t i = 0; i < area.Blocks.Count; ++i) {
            const RecordField whole = area.Blocks.At(i, {0, area.Blocks.BlockSize});
            EXPECT_GE(whole.Offset, area.Blocks.Offset) << i;
            EXPECT_LE(whole.End(), area.Blocks.End()) << i;
            record.Claim({area.Name + " " + std::to_string(i), whole});
        }
        EXPECT_EQ(record.Unclaimed(area.Blocks.Offset, area.Blocks.End()), std::vector<std::size_t>{});
    }
}

}  // namespace
}  // namespace talpo
