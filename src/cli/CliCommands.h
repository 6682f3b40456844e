// The commands of talpo-cli besides predict (CliPredict.h): extract, show and sample, each with the options
// the command line gave it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>

#include "cli/CliReport.h"
#include "data/SampleDay.h"

namespace talpo::cli {

// A mistake on the command line found only once the data is read (a race number past the day's races):
// exit code 2, like the mistakes the parser finds.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ExtractOptions {
    std::string Archive;
    std::string InDir;
};

// Reads both members first: an archive that fails leaves no folder behind, not even a new empty one.
int RunExtract(const ExtractOptions& options, Reporter& report);

struct ShowOptions {
    std::string Input;
    // "all", or a race as people name it: its number ("11", "11R"), which every venue of the day may have,
    // or its venue and number ("東京11", "東京11R").
    std::string Race = "all";
    std::optional<int> Nth;  // the race's place in the file, 1 = first; instead of Race
};

int RunShow(const ShowOptions& options, Reporter& report, std::ostream& out);

struct SampleOptions {
    std::string OutDir;
    SampleDayOptions Day;
    std::string Results;     // also the day's results as CSV here, when given
    std::string Strategies;  // also an example strategies file here, when given; the day only with OutDir
};

int RunSample(const SampleOptions& options, Reporter& report);

}  // namespace talpo::cli
