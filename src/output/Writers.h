// The three writers in their fixed order: detailed report, VOTA, RDX.
#pragma once

#include <string>
#include <vector>

#include "common/FolderLock.h"
#include "output/OutFile.h"
#include "predict/RdxYosoClass.h"

namespace talpo {

// Which of the three files to make.
struct OutputSelection {
    bool Syousai = true;  // detailed report
    bool Vota = true;     // VOTA bet file
    bool Rdx = true;      // RDX bet file

    static constexpr OutputSelection None() { return {.Syousai = false, .Vota = false, .Rdx = false}; }
    bool operator==(const OutputSelection&) const = default;
};

// Runs the selected writers and returns every path written, in order, holding the output folder's lock
// (common/FolderLock.h) throughout; waiting is told when another run holds it.
std::vector<std::string> WriteEnabledFiles(const TYoso& Yoso, int RaceCount, const std::string& OutputDir,
                                           const OutputSelection& selected,
                                           const FolderLock::Waiting& waiting = {});

// The files the enabled writers would write, made in memory in the same order and left unwritten: one
// report file per venue and date, as on disk.
std::vector<OutputFile> BuildEnabledFiles(const TYoso& Yoso, int RaceCount, const std::string& OutputDir,
                                          const OutputSelection& selected);

}  // namespace talpo
