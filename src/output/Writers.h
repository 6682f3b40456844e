// The three writers in their fixed order: detailed report, VOTA, RDX.
#pragma once

#include <string>
#include <vector>

#include "output/OutFile.h"
#include "predict/RdxYosoClass.h"

namespace talpo {

struct SaveOptions {
    bool Syousai = true;
    bool Vota = true;
    bool Rdx = true;
    bool Auto = true;
};

// Runs the enabled writers (Auto is not looked at here) and returns every path written, in order.
std::vector<std::string> WriteEnabledFiles(const TYoso& Yoso, int RaceCount, const std::string& OutputDir,
                                           const SaveOptions& options);

// The files the enabled writers would write, made in memory in the same order and left unwritten (a
// report file of a group met twice is there twice; on disk the later one wins).
std::vector<OutputFile> BuildEnabledFiles(const TYoso& Yoso, int RaceCount, const std::string& OutputDir,
                                          const SaveOptions& options);

}  // namespace talpo
