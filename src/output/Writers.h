// The three writers in their fixed order: detailed report, VOTA, RDX.
#pragma once

#include <string>
#include <vector>

#include "predict/RdxYosoClass.h"

namespace talpo {

struct SaveOptions {
    bool Syousai = true;
    bool Vota = true;
    bool Rdx = true;
    bool Auto = true;
};

// Runs the enabled writers (Auto is not looked at here) and returns every path written, in order.
std::vector<std::string> WriteEnabledFiles(TYoso& Yoso, int RaceCount, const std::string& OutputDir,
                                           const SaveOptions& options);

}  // namespace talpo
