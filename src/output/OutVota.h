// The VOTA bet file "W<yymmdd>.txt": a framed header per venue and day, one line per predicted race.
#pragma once

#include <string>
#include <vector>

#include "output/OutFile.h"
#include "predict/RdxYosoClass.h"

namespace talpo {

// Writes "W<yymmdd>.txt" (race 0's date) into OutputDir and restores Yoso.RaceIndex, also on an error.
// Returns the path written; a day without races writes nothing.
std::vector<std::string> WriteVotaFile(TYoso& Yoso, int RaceCount, const std::string& OutputDir);
// The same file handed to the sink instead of written.
void BuildVotaFile(TYoso& Yoso, int RaceCount, const std::string& OutputDir, const OutputSink& sink);

// Append the three header lines, or the race line (nothing for a race without prediction), of the race
// selected by Yoso.RaceIndex.
void WriteVotaHeader(TYoso& Yoso, std::vector<std::string>& lines);
void WriteVotaRace(TYoso& Yoso, std::vector<std::string>& lines);

}  // namespace talpo
