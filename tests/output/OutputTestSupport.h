// Helpers of the writer tests: prediction stores filled through the store's setters as the engine would
// leave them (texts given in UTF-8, stored as CP932), and looks at the output folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "predict/RdxYosoClass.h"

namespace talpo::test {

struct HorseFill {
    std::string Bracket;
    std::string HorseNo;
    std::string Mark = "  ";
    std::string HorseName;
    std::string SexAge;
    std::string Jockey;
    std::string Trainer;
    std::int32_t Index = 0;
};

struct RaceFill {
    std::string VenueName = "東京";
    std::string VenueCode = "05";
    std::string MeetingNo = "3";
    std::string MeetingDay = "2";
    std::string RaceNo = "1";
    std::string Year = "1998";
    std::string Month = " 5";
    std::string Day = "24";
    std::string RaceDate = "19980524";
    std::string RaceName;
    std::string Surface = "芝";
    std::string Distance = "1600";
    std::string RunnerCount;
    std::string RaceClass;
    std::string StartTime = "10:00";
    std::vector<std::string> WinBets;    // slots from 0
    std::vector<std::string> PlaceBets;  // slots from 0
    std::vector<std::string> PairBets;   // slots from 0
    std::vector<HorseFill> Horses;
};

// Race 11 of 16 runners and race 1 of 8 runners, 東京 1998-05-24, third meeting, second day: the bets
// of the published RDX and VOTA examples.
RaceFill SixteenRunnerRace11();
RaceFill EightRunnerRace1();
// 18 runners, race 11 テスト記念, the published report sample as runner 1 and its bets.
RaceFill ReportSampleRace();
// A race the engine gave no prediction: "--", "--", "-----" and two blanks as every mark.
RaceFill NoPredictionRace(int runners);
// `runners` plain horses; with a prediction only for the ranks the race has (fewer than 5 leaves slots
// empty).
RaceFill SmallRace(int runners);

// A store of the races, cursors left at 0.
TYoso MakeYoso(const std::vector<RaceFill>& races);

// Names in a folder, sorted: shows a temporary file left behind as well as a file that should be there.
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

// n blanks, for expected lines whose padding is easier to count than to type.
inline std::string Blanks(std::size_t n) {
    return std::string(n, ' ');
}

}  // namespace talpo::test
