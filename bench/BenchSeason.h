// A season of archives given to one talpo-cli run, against the floor: the same archives unpacked by the
// floor program (UnpackFloor.cpp). Both run as processes of their own, a few times in turn, and the fastest
// run of each counts: on a shared machine a slower run measures its neighbours, not the program.
#pragma once

#include <string>
#include <vector>

namespace talpo::bench {

// One run of a program: its wall time and peak resident memory, or Ok false when it failed.
struct ProcessRun {
    bool Ok = false;
    double Seconds = 0;
    double PeakBytes = 0;
};
// Runs argv (argv[0] a path), its output thrown away. The kernel counts this process's peak memory at the
// start into the program's, so a peak is measured only while this process is small.
ProcessRun RunProcess(const std::vector<std::string>& argv);

struct SeasonFigures {
    int Archives = 0;
    double Floor = -1;      // seconds, the floor program
    double Plain = -1;      // talpo-cli predict ARCHIVES OUT --write none
    double WithJson = -1;   // the same with --json FILE
    double PeakBytes = -1;  // the largest of talpo-cli's runs
};
// The archives are the day*.lzh files of seasonDir, given in name order.
SeasonFigures MeasureSeason(const std::string& seasonDir, const std::string& cliPath,
                            const std::string& floorPath);

// `talpo-cli predict DIR OUT --write none` on the large input and on a tenth of it, seconds each: the
// fastest of five runs in turn, each a fresh process, as a user runs it.
struct ScaleFigures {
    double Large = -1;
    double Tenth = -1;
};
ScaleFigures MeasureScale(const std::string& cliPath);

}  // namespace talpo::bench
