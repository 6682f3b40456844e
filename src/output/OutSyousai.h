// The detailed report: one file per venue and date, "<venue><yymmdd>.txt", with a block per race.
#pragma once

#include <string>
#include <vector>

#include "predict/RdxYosoClass.h"

namespace talpo {

// Writes every race of the store into OutputDir (ends in a separator) and restores Yoso.RaceIndex, also
// when it stops on an error. Returns the paths written, in order. A day without races writes nothing.
std::vector<std::string> WriteSyousaiFile(TYoso& Yoso, int RaceCount, const std::string& OutputDir);

}  // namespace talpo
