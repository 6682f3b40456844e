// The RDX bet file: one "A009" record of 78 comma-separated fields per predicted race, all races in the
// file named after race 0's date. A race whose data would break the record's layout is left out.
#include "output/OutRdx.h"

#include "common/Cp932.h"
#include "common/StrConv.h"
#include "output/OutFile.h"
#include "output/OutText.h"

namespace talpo {
namespace {

constexpr std::size_t kFieldCount = 78;
constexpr std::size_t kWinPlaceSlots = 3;  // the record has three win and three place fields
// 0-based positions of the first bet of each kind; every bet is followed by an empty field.
constexpr std::size_t kFirstWin = 6;
constexpr std::size_t kFirstPlace = 12;
constexpr std::size_t kFirstPair = 38;

std::string TwoDigits(const std::string& number) {
    return FormatMin2Digits(StrToInt(number));
}

// "   24" (up to 8 runners) and " 3-12" (9 or more) both become "0204"/"0312". An empty slot is a rank
// a small race does not have: it stays empty instead of failing the whole file.
std::string PairField(const std::string& pair) {
    if (pair.empty()) return {};
    if (SubBytes(pair, 1) == " ") return TwoDigits(SubBytes(pair, 3)) + TwoDigits(SubBytes(pair, 4));
    return TwoDigits(SubBytes(pair, 0, 2)) + TwoDigits(SubBytes(pair, 3, 2));
}

// A comma, CR or LF in a field taken from the data would shift the record's fields or split it in two, and
// the file is read by programs that trust its layout.
bool HoldsSeparator(const std::string& text) {
    return text.find_first_of(",\r\n") != std::string::npos;
}

bool FieldsHoldSeparator(const TYosoRace& race) {
    for (const std::string& field : {race.RaceDate.Get(), race.VenueCode.Get(), race.MeetingNo.Get(),
                                     race.MeetingDay.Get(), race.RaceNo.Get()}) {
        if (HoldsSeparator(field)) return true;
    }
    for (std::size_t slot = 0; slot < kWinPlaceSlots; ++slot) {
        if (HoldsSeparator(race.WinBets[slot].Get()) || HoldsSeparator(race.PlaceBets[slot].Get()))
            return true;
    }
    for (std::size_t slot = 0; slot < kPairSlots; ++slot) {
        if (HoldsSeparator(race.PairBets[slot].Get())) return true;
    }
    return false;
}

bool Written(const TYosoRace& race) {
    return HasPrediction(race) && !FieldsHoldSeparator(race);
}

std::string FileName(const TYoso& Yoso) {
    return "K" + ShortDate(Yoso.Race(0).RaceDate.Get()) + ".txt";
}

std::string Record(const TYosoRace& race) {
    std::vector<std::string> fields(kFieldCount);
    fields[0] = "A009";
    fields[1] = race.RaceDate.Get();
    fields[2] = race.VenueCode.Get();
    fields[3] = race.MeetingNo.Get();
    fields[4] = race.MeetingDay.Get();
    fields[5] = race.RaceNo.Get();
    for (std::size_t slot = 0; slot < kWinPlaceSlots; ++slot) {
        fields[kFirstWin + 2 * slot] = race.WinBets[slot].Get();
        fields[kFirstPlace + 2 * slot] = race.PlaceBets[slot].Get();
    }
    for (std::size_t slot = 0; slot < kPairSlots; ++slot) {
        fields[kFirstPair + 2 * slot] = PairField(race.PairBets[slot].Get());
    }
    std::string record = fields[0];
    for (std::size_t i = 1; i < kFieldCount; ++i) record += "," + fields[i];
    return record;
}

}  // namespace

void BuildRdxFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir, const OutputSink& sink) {
    if (RaceCount <= 0) return;

    const std::string path = OutputFilePath(OutputDir, FileName(Yoso));
    std::vector<std::string> lines;
    for (int r = 0; r < RaceCount; ++r) {
        const TYosoRace& race = Yoso.Race(r);
        if (Written(race)) lines.push_back(Record(race));
    }
    sink(LinesFile(path, lines));
}

std::vector<std::string> RdxSkippedRaceWarnings(const TYoso& Yoso, int RaceCount) {
    std::vector<std::string> warnings;
    if (RaceCount <= 0) return warnings;
    // The name as it stands in the folder, control bytes made '_' like the file's own.
    const std::string name = OutputFilePath({}, FileName(Yoso));
    for (int r = 0; r < RaceCount; ++r) {
        const TYosoRace& race = Yoso.Race(r);
        if (!HasPrediction(race) || !FieldsHoldSeparator(race)) continue;
        warnings.push_back(name + ": " + Cp932ToUtf8(race.VenueName.Get()) + " " +
                           Cp932ToUtf8(race.RaceNo.Get()) + "R: 項目にカンマか改行があるため書き出しません");
    }
    return warnings;
}

std::vector<std::string> WriteRdxFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir) {
    std::vector<std::string> written;
    BuildRdxFile(Yoso, RaceCount, OutputDir, [&written](OutputFile&& file) {
        WriteToDisk(file);
        written.push_back(std::move(file.Path));
    });
    return written;
}

}  // namespace talpo
