// The VOTA bet file "W<yymmdd>.txt": a framed header per venue and day, one line per predicted race.
#pragma once

#include <string>
#include <vector>

#include "predict/RdxYosoClass.h"

namespace talpo {

std::vector<std::string> WriteVotaFile(TYoso& Yoso, int RaceCount, const std::string& OutputDir);

// Append the three header lines, or the race line (nothing for a race without prediction), of the race
// selected by Yoso.RaceIndex.
void WriteVotaHeader(TYoso& Yoso, std::vector<std::string>& lines);
void WriteVotaRace(TYoso& Yoso, std::vector<std::string>& lines);

}  // namespace talpo
