// The VOTA bet file: a framed header whenever the venue or the day of the month changes, then one short
// line per predicted race; all races in the file named after race 0's date.
#include "output/OutVota.h"

#include "common/Cp932.h"
#include "output/OutFile.h"
#include "output/OutText.h"

namespace talpo {
namespace {

constexpr std::size_t kRuleWidth = 75;
constexpr std::size_t kPairsShown = 6;

// Both characters of a two-character number, each to full width ("blank 5" gives two blanks and ５).
std::string FullWidthPair(const std::string& text) {
    return ToFullWidth(SubBytes(text, 0)) + ToFullWidth(SubBytes(text, 1));
}

}  // namespace

void WriteVotaHeader(const TYosoRace& Race, std::vector<std::string>& lines) {
    static const std::string kYear = Sj(" 年 ");
    static const std::string kMeeting = Sj(" 回 ");
    static const std::string kMeetingDay = Sj(" 日目 ");
    static const std::string kMonth = Sj("月");
    static const std::string kDay = Sj("日 ");

    const std::string rule(kRuleWidth, '-');
    lines.push_back(rule);
    lines.push_back(Race.VenueName.Get() + "  " + FullWidthPair(SubBytes(Race.Year.Get(), 2, 2)) + kYear +
                    ToFullWidth(Race.MeetingNo.Get()) + kMeeting + ToFullWidth(Race.MeetingDay.Get()) +
                    kMeetingDay + FullWidthPair(Race.Month.Get()) + kMonth + FullWidthPair(Race.Day.Get()) +
                    kDay + "[0257]" + "  TALPO Ver" + kTalpoVersion);
    lines.push_back(rule);
}

void WriteVotaRace(const TYosoRace& Race, std::vector<std::string>& lines) {
    if (!HasPrediction(Race)) return;
    std::string line = PadTo2(Race.RaceNo.Get()) + "R  " + Race.WinBets[0].Get() + " ";
    for (std::size_t slot = 0; slot < kPairsShown; ++slot) line += Race.PairBets[slot].Get() + " ";
    lines.push_back(std::move(line));
}

void BuildVotaFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir, const OutputSink& sink) {
    if (RaceCount <= 0) return;

    const std::string path = OutputFilePath(OutputDir, "W" + ShortDate(Yoso.Race(0).RaceDate.Get()) + ".txt");
    std::string previousVenue;
    std::string previousDay;
    std::vector<std::string> lines;
    for (int r = 0; r < RaceCount; ++r) {
        const TYosoRace& race = Yoso.Race(r);
        // Month and year are not compared: only a change of venue or of day of the month starts a header.
        if (race.VenueName.Get() != previousVenue || race.Day.Get() != previousDay) {
            WriteVotaHeader(race, lines);
            previousVenue = race.VenueName.Get();
            previousDay = race.Day.Get();
        }
        WriteVotaRace(race, lines);
    }
    sink(LinesFile(path, lines));
}

std::vector<std::string> WriteVotaFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir) {
    std::vector<std::string> written;
    BuildVotaFile(Yoso, RaceCount, OutputDir, [&written](OutputFile&& file) {
        WriteToDisk(file);
        written.push_back(std::move(file.Path));
    });
    return written;
}

}  // namespace talpo
