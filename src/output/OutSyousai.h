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

// The same files handed to the sink instead, one per file name (venue + yymmdd), each holding its races in
// race-card order whatever lies between them, in the order of each file's first race; a file goes as soon
// as its last race is in and the files before it have gone.
void BuildSyousaiFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir, const OutputSink& sink);

}  // namespace talpo
