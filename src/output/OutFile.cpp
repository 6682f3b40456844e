// File names, and where the output files go: to disk in one step each, or into memory.
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
    std::string name = FsFromCp932(cp932Name);
    // A newline or an escape in a file name breaks every listing and script that meets it.
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
    }
    return outputDir + name;
}

void WriteToDisk(const OutputFile& file) {
    RemoveLeftTempNames(file.Path);
    WriteFileAtomic(file.Path, file.Bytes);
}

OutputSink CollectInto(std::vector<OutputFile>& files) {
    return [&files](OutputFile&& file) { files.push_back(std::move(file)); };
}

OutputFile LinesFile(std::string fsPath, const std::vector<std::string>& lines) {
    return {std::move(fsPath), JoinCrlf(lines)};
}

}  // namespace talpo
