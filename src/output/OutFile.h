// What the three writers share about their files: the version text they stamp (common/Version.h), how a
// file name is made from store texts, and where a finished file goes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/Version.h"

namespace talpo {

// Characters 3 to 8 of a yyyymmdd race date: the yymmdd of every output file name.
std::string ShortDate(const std::string& raceDate);

// OutputDir (file-system path ending in a separator) + a CP932 file name converted for the file system,
// each control byte of the name (below 0x20, 0x7F) made '_'; the folder's bytes are the user's and stay.
std::string OutputFilePath(const std::string& outputDir, const std::string& cp932Name);

// One output file made whole in memory: where it goes and its bytes (CP932, CR LF line ends).
struct OutputFile {
    std::string Path;
    std::string Bytes;
    bool operator==(const OutputFile&) const = default;
};

// Takes each file a writer makes, in order, as soon as the file is whole. A sink that raises stops the
// writer there, so the files before it stay done and the later ones are never made: the disk sink
// gives a failed write exactly that effect.
using OutputSink = std::function<void(OutputFile&&)>;

// The sink of the Write* functions: each file written in one step (a temporary file, then renamed);
// "ﾌｧｲﾙ %s を作成できません" when that fails. The temporary names a killed run left beside the file go
// first, as the process's one reading of the folder found them (RemoveLeftTempNames): the caller holds the
// output folder's lock (WriteEnabledFiles does).
void WriteToDisk(const OutputFile& file);

// A sink that keeps the files in memory, in order; a later file of the same path comes after the earlier.
OutputSink CollectInto(std::vector<OutputFile>& files);

// The file of these lines at that path: CP932 + CR LF after every line.
OutputFile LinesFile(std::string fsPath, const std::vector<std::string>& lines);

}  // namespace talpo
