// talpo-cli: the whole day's job from a terminal or a script, on the same core as the window program.
// Standard output carries only what a command was asked to print; status, warnings and errors go to
// standard error.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace talpo::cli {

struct CliStreams {
    std::ostream& out;
    std::ostream& err;
    bool outIsTerminal = false;  // text of the data printed there has its control characters made visible
    bool errIsTerminal = false;  // a progress line is drawn there
};

// Runs one command line (without the program's name); returns the exit code: 0 done, 1 the system
// reported an error or a day failed, 2 a usage mistake.
int RunCli(const std::vector<std::string>& args, const CliStreams& streams);

}  // namespace talpo::cli
