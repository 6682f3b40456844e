// The VOTA bet file "W<yymmdd>.txt": a framed header per venue and day, one line per predicted race.
#pragma once

#include <string>
#include <vector>

#include "output/OutFile.h"
#include "predict/RdxYosoClass.h"

namespace talpo {

// Writes "W<yymmdd>.txt" (race 0's date) into OutputDir. Returns the path written; a day without races
// writes nothing.
std::vector<std::string> WriteVotaFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir);
// The same file handed to the sink instead of written.
void BuildVotaFile(const TYoso& Yoso, int RaceCount, const std::string& OutputDir, const OutputSink& sink);

// Append the three header lines, or the race line (nothing for a race without prediction), of one race
// of the store (TYoso::Race).
void WriteVotaHeader(const TYosoRace& Race, std::vector<std::string>& lines);
void WriteVotaRace(const TYosoRace& Race, std::vector<std::string>& lines);

}  // namespace talpo
