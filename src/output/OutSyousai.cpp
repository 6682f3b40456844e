// The detailed report: a block per race, the races of one venue and date in one file named after them.
#include "output/OutSyousai.h"

#include <algorithm>

#include "common/Cp932.h"
#include "common/StrConv.h"
#include "output/OutFile.h"
#include "output/OutText.h"

namespace talpo {
namespace {

constexpr std::size_t kLineWidth = 77;
constexpr std::size_t kTitleWidth = 54;
constexpr int kPairSlots = 8;
constexpr int kPlaceSlots = 3;
const std::string kNoPrediction = "--";

struct GroupKey {
    std::string VenueName;
    std::string RaceDate;
    bool operator==(const GroupKey&) const = default;
};

GroupKey KeyOf(const TYoso& yoso) {
    return {yoso.GetVenueName(), yoso.GetRaceDate()};
}

std::string FileNameOf(const GroupKey& key) {
    return key.VenueName + ShortDate(key.RaceDate) + ".txt";
}

std::string TitleLine(const TYoso& yoso) {
    static const std::string kRaceMark = Sj("Ｒ ");
    const std::string no = PadTo2(yoso.GetRaceNo());
    return yoso.GetVenueName() + ToFullWidth(SubBytes(no, 0)) + ToFullWidth(SubBytes(no, 1)) + kRaceMark +
           PadRight(yoso.GetRaceName(), kTitleWidth) + "TALPO Ver" + kTalpoVersion;
}

std::string ConditionLine(const TYoso& yoso) {
    static const std::string kHeads = Sj("頭");
    static const std::string kPostTime = Sj("    発走");
    const std::string text = yoso.GetRaceClass() + "    " + yoso.GetSurface() + yoso.GetDistance() + "m" +
                             PadLeft(yoso.GetRunnerCount(), 5) + kHeads + kPostTime + yoso.GetStartTime();
    return PadLeft(text, kLineWidth);
}

std::string RunnerLine(const TYoso& yoso) {
    return "[" + yoso.GetBracket() + "]" + PadLeft(yoso.GetHorseNo(), 2) + yoso.GetMark() +
           PadRight(yoso.GetHorseName(), 20) + " " + PadRight(yoso.GetSexAge(), 4) + "  " +
           PadRight(yoso.GetJockey(), 8) + " " + PadRight(yoso.GetTrainer(), 8) + "  " +
           PadLeft(IntToStr(yoso.GetIndex()), 3);
}

// The stored count is printed as it is; the runner lines stop at the 18 entries a race can hold.
int RunnerLineCount(const TYoso& yoso) {
    return std::clamp(StrToInt(yoso.GetRunnerCount()), 0, TYoso::HorseSlots);
}

void AppendBetLines(TYoso& yoso, std::vector<std::string>& lines) {
    static const std::string kWin = Sj("単勝：");
    static const std::string kPlace = Sj("      複勝：");
    static const std::string kPairs = Sj("連勝： ");
    static const std::string kNoWinPlace = Sj("単勝：予想無し     複勝：予想無し");
    static const std::string kNoPairs = Sj("連勝：予想無し");

    yoso.BetIndex = 0;
    // Only "--" marks a race without prediction; a race of no runners has an empty slot and gets blanks.
    if (yoso.GetWinBet() == kNoPrediction) {
        lines.push_back(kNoWinPlace);
        lines.push_back(kNoPairs);
        return;
    }
    std::string win = kWin + PadLeft(yoso.GetWinBet(), 7) + kPlace;
    for (yoso.BetIndex = 0; yoso.BetIndex < kPlaceSlots; ++yoso.BetIndex)
        win += PadLeft(yoso.GetPlaceBet(), 6);
    std::string pairs = kPairs;
    for (yoso.BetIndex = 0; yoso.BetIndex < kPairSlots; ++yoso.BetIndex)
        pairs += PadLeft(yoso.GetPairBet(), 6);
    lines.push_back(std::move(win));
    lines.push_back(std::move(pairs));
}

void AppendRaceBlock(TYoso& yoso, std::vector<std::string>& lines) {
    const std::string doubleRule(kLineWidth, '=');
    const std::string singleRule(kLineWidth, '-');
    lines.push_back(doubleRule);
    lines.push_back(TitleLine(yoso));
    lines.push_back(ConditionLine(yoso));
    lines.push_back(singleRule);
    const int runners = RunnerLineCount(yoso);
    for (yoso.HorseIndex = 0; yoso.HorseIndex < runners; ++yoso.HorseIndex) lines.push_back(RunnerLine(yoso));
    lines.push_back(singleRule);
    AppendBetLines(yoso, lines);
    lines.push_back(doubleRule);
}

}  // namespace

void BuildSyousaiFile(TYoso& Yoso, int RaceCount, const std::string& OutputDir, const OutputSink& sink) {
    if (RaceCount <= 0) return;
    const RaceIndexKeeper keeper(Yoso);

    const auto flush = [&](const GroupKey& key, const std::vector<std::string>& lines) {
        sink(LinesFile(OutputFilePath(OutputDir, FileNameOf(key)), lines));
    };

    Yoso.RaceIndex = 0;
    GroupKey key = KeyOf(Yoso);
    std::vector<std::string> lines;
    for (int r = 0; r < RaceCount; ++r) {
        Yoso.RaceIndex = r;
        if (const GroupKey raceKey = KeyOf(Yoso); raceKey != key) {
            flush(key, lines);
            lines.clear();
            key = raceKey;
        }
        AppendRaceBlock(Yoso, lines);
    }
    flush(key, lines);
}

std::vector<std::string> WriteSyousaiFile(TYoso& Yoso, int RaceCount, const std::string& OutputDir) {
    std::vector<std::string> written;
    // A group written twice (its races not adjacent in the card) replaces its file; list the path once.
    BuildSyousaiFile(Yoso, RaceCount, OutputDir, [&written](OutputFile&& file) {
        WriteToDisk(file);
        if (std::find(written.begin(), written.end(), file.Path) == written.end())
            written.push_back(file.Path);
    });
    return written;
}

}  // namespace talpo
