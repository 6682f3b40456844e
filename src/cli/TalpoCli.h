// talpo-cli: the whole day's job from a terminal, on the same core as the window program.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace talpo::cli {

// Runs one command; returns the exit code: 0 done, 1 the system reported an error, 2 a usage mistake.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace talpo::cli
