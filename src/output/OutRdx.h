// The RDX bet file "K<yymmdd>.txt": one comma-separated "A009" record per predicted race.
#pragma once

#include <string>
#include <vector>

#include "predict/RdxYosoClass.h"

namespace talpo {

std::vector<std::string> WriteRdxFile(TYoso& Yoso, int RaceCount, const std::string& OutputDir);

}  // namespace talpo
