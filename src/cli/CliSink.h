// Where a document of talpo-cli goes, piece by piece as it is made: standard output, or a file that lands
// whole (common/UserFile.h). A season's JSON is tens of megabytes; made whole first, it would count twice
// in memory. And the check, before a command writes anything, that none of its files is one it reads or
// another it writes.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliReport.h"
#include "common/UserFile.h"

namespace talpo::cli {

using talpo::Producer;
using talpo::TextWriter;

// The document written to the stream as it is made, then flushed.
void ProduceToStream(std::ostream& out, const Producer& produce);

// Standard output ("-") or the file, reported on standard error as written; false when the file could not
// be written, which is reported as an error.
bool Emit(const std::string& target, const Producer& produce, std::ostream& out, Reporter& report);

// Raises UsageError (exit 2) naming both files when a target is an input or another target: "--json d.lzh
// is the input d.lzh of this run", "--json o and --csv o are the same file". Targets "-" are no file.
void RefuseClashes(const std::vector<RunFile>& inputs, const std::vector<RunFile>& targets);

// The files of the days named on the command line, each as "the input".
std::vector<RunFile> DayInputs(const std::vector<std::string>& inputs);

}  // namespace talpo::cli
