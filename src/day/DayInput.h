// A day's input as the user names it, on the command line or in the back-test's window: a folder holding
// rdx_den.dat and rdx_uma.dat, or a day's LZH archive, whose two members are read into memory and never
// written out. Every error names what it is about: the file, or the archive and its member, and for a fault
// in a race also that race.
#pragma once

#include <string>
#include <vector>

#include "archive/Unlha.h"
#include "day/TalpoDay.h"

namespace talpo {

// A folder as the core takes it: ending in a separator.
std::string AsDir(std::string path);

// The files an input is read from: the archive, or the two data files of the folder.
std::vector<std::string> InputFiles(const std::string& input);

// The days a path the user adds holds, in the order of their paths: the path itself when it is an LZH
// archive or a folder holding rdx_den.dat and rdx_uma.dat, and under a folder every such folder and every
// archive named *.lzh (either case). Raises ETalpoError (ErrorKind::NoDay) saying why when it holds none:
// "PATH が見つかりません", "PATH は LZH ファイルではありません", "PATH に日のデータがありません (...)".
std::vector<std::string> DaysUnder(const std::string& path);

// A loaded and predicted day with the input it came from, as the user wrote it.
struct PredictedDay {
    std::string Input;
    std::string DenName;  // how errors name its race-card file: "in/rdx_den.dat", "day.lzh: rdx_den.dat"
    TDay Day;
};

// What reading archives keeps from one day to the next: the archive's bytes and its members' buffers,
// which grow to the largest day read and are then reused (a season of archives in one run).
struct ArchiveBuffers {
    PageBuffer Archive;
    DayArchiveReader Members;
};

// The members of the archive at path, read into `buffers`; ETalpoError naming the archive when it is
// missing, not an archive, damaged or without its two members.
void ReadArchiveInput(const std::string& path, ArchiveBuffers& buffers);

// Loads and predicts the day of one input, an archive through `buffers`. Raises ETalpoError with the
// system's message behind the names of what it concerns, e.g. "in/rdx_den.dat:
// ﾌｧｲﾙの末尾以降を読み込みました" or "day.lzh: rdx_den.dat: race 3 of 24 (東京 11R): 'x1'
// は整数ではありません".
PredictedDay LoadInput(const std::string& input, ArchiveBuffers& buffers);

// "race 3 of 24 (東京 11R)": a race by its place in the race-card file, with its venue and number when the
// record gives them.
std::string DescribeRace(const TDenma& denma, int race);

// The warnings of a loaded day: one per runner whose horse the horse file lacks, after the input's name.
std::vector<std::string> InputWarnings(const std::string& input, const TDay& day);
inline std::vector<std::string> InputWarnings(const PredictedDay& day) {
    return InputWarnings(day.Input, day.Day);
}

}  // namespace talpo
