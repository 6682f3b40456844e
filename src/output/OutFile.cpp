// File names and the one-step write of the output files.
#include "output/OutFile.h"

#include "common/Cp932.h"
#include "common/FileIO.h"
#include "output/OutText.h"

namespace talpo {

std::string ShortDate(const std::string& raceDate) {
    return SubBytes(raceDate, 2, 6);
}

std::string OutputFilePath(const std::string& outputDir, const std::string& cp932Name) {
    // The date and venue come from the data and may hold any byte; the converter never fails on them.
    return outputDir + FsFromCp932(cp932Name);
}

void WriteLinesFile(const std::string& fsPath, const std::vector<std::string>& lines) {
    WriteFileAtomic(fsPath, JoinCrlf(lines));
}

}  // namespace talpo
