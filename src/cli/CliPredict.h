// talpo-cli predict: any number of days, each a folder or an archive, predicted into one output folder.
// A day that fails is reported and the next one goes on; files of two days with the same name stop the
// run before anything is written.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliReport.h"
#include "output/Writers.h"

namespace talpo::cli {

struct PredictOptions {
    std::vector<std::string> Inputs;
    std::string OutDir;
    OutputSelection Files;
    std::optional<std::string> Json;  // a file, or "-" for standard output
    std::optional<std::string> Csv;   // a file, or "-" for standard output
};

// Returns the exit code: 1 when any day failed or nothing could be written, else 0. A --json or --csv file
// that is an input of the run, one of its bet files or the other option's file raises UsageError before
// anything is written.
int RunPredict(const PredictOptions& options, Reporter& report, std::ostream& out, bool outIsTerminal);

}  // namespace talpo::cli
