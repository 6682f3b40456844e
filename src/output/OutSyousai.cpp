// The detailed report: a block per race, the races of one venue and date in one file named after them,
// in race-card order.
#include "output/OutSyousai.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

#include "common/Cp932.h"
#include "common/StrConv.h"
#include "output/OutFile.h"
#include "output/OutText.h"

namespace talpo {
namespace {

constexpr std::size_t kLineWidth = 77;
constexpr std::size_t kTitleWidth = 54;

struct GroupKey {
    std::string VenueName;
    std::string RaceDate;
};

GroupKey KeyOf(const TYosoRace& race) {
    return {race.VenueName.Get(), race.RaceDate.Get()};
}

std::string FileNameOf(const GroupKey& key) {
    return key.VenueName + ShortDate(key.RaceDate) + ".txt";
}

std::string TitleLine(const TYosoRace& race) {
    static const std::string kRaceMark = Sj("Ｒ ");
    const std::string no = PadTo2(race.RaceNo.Get());
    return race.VenueName.Get() + ToFullWidth(SubBytes(no, 0)) + ToFullWidth(SubBytes(no, 1)) + kRaceMark +
           PadRight(race.RaceName.Get(), kTitleWidth) + "TALPO Ver" + kTalpoVersion;
}

std::string ConditionLine(const TYosoRace& race) {
    static const std::string kHeads = Sj("頭");
    static const std::string kPostTime = Sj("    発走");
    const std::string text = race.RaceClass.Get() + "    " + race.Surface.Get() + race.Distance.Get() + "m" +
                             PadLeft(race.RunnerCount.Get(), 5) + kHeads + kPostTime + race.StartTime.Get();
    return PadLeft(text, kLineWidth);
}

std::string RunnerLine(const TYosoHorse& horse) {
    return "[" + horse.Bracket.Get() + "]" + PadLeft(horse.HorseNo.Get(), 2) + horse.Mark.Get() +
           PadRight(horse.HorseName.Get(), 20) + " " + PadRight(horse.SexAge.Get(), 4) + "  " +
           PadRight(horse.Jockey.Get(), 8) + " " + PadRight(horse.Trainer.Get(), 8) + "  " +
           PadLeft(IntToStr(horse.Index), 3);
}

void AppendBetLines(const TYosoRace& race, std::vector<std::string>& lines) {
    static const std::string kWin = Sj("単勝：");
    static const std::string kPlace = Sj("      複勝：");
    static const std::string kPairs = Sj("連勝： ");
    static const std::string kNoWinPlace = Sj("単勝：予想無し     複勝：予想無し");
    static const std::string kNoPairs = Sj("連勝：予想無し");

    // Only a declined race is said to have no prediction; a race of no runners gets blanks.
    if (PredictionOf(race) == RacePrediction::Declined) {
        lines.push_back(kNoWinPlace);
        lines.push_back(kNoPairs);
        return;
    }
    std::string win = kWin + PadLeft(race.WinBets[0].Get(), 7) + kPlace;
    for (std::size_t slot = 0; slot < kPlaceSlots; ++slot) win += PadLeft(race.PlaceBets[slot].Get(), 6);
    std::string pairs = kPairs;
    for (std::size_t slot = 0; slot < kPairSlots; ++slot) pairs += PadLeft(race.PairBets[slot].Get(), 6);
    lines.push_back(std::move(win));
    lines.push_back(std::move(pairs));
}

void AppendRaceBlock(const TYosoRace& race, std::vector<std::string>& lines) {
    const std::string doubleRule(kLineWidth, '=');
    const std::string singleRule(kLineWidth, '-');
    lines.push_back(doubleRule);
    lines.push_back(TitleLine(race));
    lines.push_back(ConditionLine(race));
    lines.push_back(singleRule);
    const int runners = RunnerSlots(race);
    for (int h = 0; h < runners; ++h) lines.push_back(RunnerLine(race.Horses[static_cast<std::size_t>(h)]));
    lines.push_back(singleRule);
    AppendBetLines(race, lines);
    lines.push_back(doubleRule);
}

}  // namespace

void BuildSyousaiFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir,
                      const OutputSink& sink) {
    if (RaceCount <= 0) return;

    // Races are grouped by the path they go to, not by their neighbours: a venue whose races alternate
    // with another's in the card would otherwise have each later group replace the earlier one's file.
    std::vector<std::string> paths(static_cast<std::size_t>(RaceCount));
    std::unordered_map<std::string, int> lastRace;
    for (int r = 0; r < RaceCount; ++r) {
        paths[static_cast<std::size_t>(r)] = OutputFilePath(OutputDir, FileNameOf(KeyOf(Yoso.Race(r))));
        lastRace[paths[static_cast<std::size_t>(r)]] = r;
    }

    struct Group {
        std::string Path;
        int LastRace;
        std::vector<std::string> Lines;
    };
    // In order of their first races; a group goes to the sink once it is whole and every group before it
    // has gone, so a failure later in the card leaves the files before it made.
    std::deque<Group> open;
    std::unordered_map<std::string, Group*> byPath;
    for (int r = 0; r < RaceCount; ++r) {
        const std::string& path = paths[static_cast<std::size_t>(r)];
        auto [it, added] = byPath.try_emplace(path, nullptr);
        if (added) it->second = &open.emplace_back(Group{path, lastRace[path], {}});
        AppendRaceBlock(Yoso.Race(r), it->second->Lines);
        while (!open.empty() && open.front().LastRace <= r) {
            sink(LinesFile(open.front().Path, open.front().Lines));
            byPath.erase(open.front().Path);
            open.pop_front();
        }
    }
}

std::vector<std::string> WriteSyousaiFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir) {
    std::vector<std::string> written;
    BuildSyousaiFile(Yoso, RaceCount, OutputDir, [&written](OutputFile&& file) {
        WriteToDisk(file);
        written.push_back(std::move(file.Path));
    });
    return written;
}

}  // namespace talpo
