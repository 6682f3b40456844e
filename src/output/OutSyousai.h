// The detailed report: one file per venue and date, "<venue><yymmdd>.txt", with a block per race.
#pragma once

#include <string>
#include <vector>

#include "output/OutFile.h"
#include "predict/RdxYosoClass.h"

namespace talpo {

// Writes every race of the store into OutputDir (ends in a separator). Returns the paths written, in
// order. A day without races writes nothing.
std::vector<std::string> WriteSyousaiFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir);

// The same files handed to the sink instead, one per group of races as soon as the group is whole (a
// group of the same venue and date met again comes again, with the same path).
void BuildSyousaiFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir, const OutputSink& sink);

}  // namespace talpo
