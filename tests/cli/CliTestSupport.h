// Shared by the command-line tests: running talpo-cli in the process or as the real program, and small days.
#pragma once

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace talpo::test {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

// RunCli with captured streams; the flags say which of them a terminal would be.
CliRun Cli(const std::vector<std::string>& args, bool outIsTerminal = false, bool errIsTerminal = false);

// The built talpo-cli, its standard output and error read from files (neither is a terminal). Standard
// output goes to stdoutPath instead when one is given (and is then not read back).
CliRun CliBinary(const std::vector<std::string>& args, const std::string& stdoutPath = {});
// The same, killed after the seconds given (its code is then not 0, 1 or 2), so that a run that would wait
// for ever fails its test instead.
CliRun CliBinaryWithin(unsigned seconds, const std::vector<std::string>& args,
                       const std::string& stdoutPath = {});

// A day of two races at 東京 on 1998-05-24: a predicted race of 9 runners, and one with a runner whose horse
// is missing. horseName replaces the runners' name when given (CP932).
void WriteSmallDay(const TempDir& dir, const std::string& horseName = {});
std::string SmallDayDen(const std::string& horseName = {});
std::string SmallDayUma();

// The files of a folder, by name, with their bytes.
std::vector<std::pair<std::string, std::string>> FolderFiles(const std::filesystem::path& dir);

}  // namespace talpo::test
