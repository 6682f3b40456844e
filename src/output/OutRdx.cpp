// The RDX bet file: one "A009" record of 78 comma-separated fields per predicted race, all races in the
// file named after race 0's date.
#include "output/OutRdx.h"

#include "common/StrConv.h"
#include "output/OutFile.h"
#include "output/OutText.h"

namespace talpo {
namespace {

constexpr std::size_t kFieldCount = 78;
constexpr int kWinPlaceSlots = 3;
constexpr int kPairSlots = 8;
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

bool HasPrediction(TYoso& yoso) {
    yoso.BetIndex = 0;
    const std::string win = yoso.GetWinBet();
    return !win.empty() && win != "--";
}

std::string Record(TYoso& yoso) {
    std::vector<std::string> fields(kFieldCount);
    fields[0] = "A009";
    fields[1] = yoso.GetRaceDate();
    fields[2] = yoso.GetVenueCode();
    fields[3] = yoso.GetMeetingNo();
    fields[4] = yoso.GetMeetingDay();
    fields[5] = yoso.GetRaceNo();
    for (yoso.BetIndex = 0; yoso.BetIndex < kWinPlaceSlots; ++yoso.BetIndex) {
        const std::size_t slot = static_cast<std::size_t>(yoso.BetIndex);
        fields[kFirstWin + 2 * slot] = yoso.GetWinBet();
        fields[kFirstPlace + 2 * slot] = yoso.GetPlaceBet();
    }
    for (yoso.BetIndex = 0; yoso.BetIndex < kPairSlots; ++yoso.BetIndex) {
        fields[kFirstPair + 2 * static_cast<std::size_t>(yoso.BetIndex)] = PairField(yoso.GetPairBet());
    }
    std::string record = fields[0];
    for (std::size_t i = 1; i < kFieldCount; ++i) record += "," + fields[i];
    return record;
}

}  // namespace

void BuildRdxFile(TYoso& Yoso, int RaceCount, const std::string& OutputDir, const OutputSink& sink) {
    if (RaceCount <= 0) return;
    const RaceIndexKeeper keeper(Yoso);

    Yoso.RaceIndex = 0;
    const std::string path = OutputFilePath(OutputDir, "K" + ShortDate(Yoso.GetRaceDate()) + ".txt");
    std::vector<std::string> lines;
    for (int r = 0; r < RaceCount; ++r) {
        Yoso.RaceIndex = r;
        if (HasPrediction(Yoso)) lines.push_back(Record(Yoso));
    }
    sink(LinesFile(path, lines));
}

std::vector<std::string> WriteRdxFile(TYoso& Yoso, int RaceCount, const std::string& OutputDir) {
    std::vector<std::string> written;
    BuildRdxFile(Yoso, RaceCount, OutputDir, [&written](OutputFile&& file) {
        WriteToDisk(file);
        written.push_back(std::move(file.Path));
    });
    return written;
}

}  // namespace talpo
