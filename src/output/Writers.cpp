// The save step shared by the automatic save after a prediction run and the save command.
#include "output/Writers.h"

#include "common/FolderLock.h"
#include "output/OutRdx.h"
#include "output/OutSyousai.h"
#include "output/OutVota.h"

namespace talpo {

std::vector<std::string> WriteEnabledFiles(const TYoso& Yoso, int RaceCount, const std::string& OutputDir,
                                           const OutputSelection& selected,
                                           const FolderLock::Waiting& waiting) {
    std::vector<std::string> written;
    const auto add = [&written](const std::vector<std::string>& paths) {
        written.insert(written.end(), paths.begin(), paths.end());
    };
    // The day's files are one set: a run writing into the same folder waits until all are written.
    const FolderLock lock(OutputDir, waiting);
    // The order is fixed: a failing writer leaves the files of the writers before it in place.
    if (selected.Syousai) add(WriteSyousaiFile(Yoso, RaceCount, OutputDir));
    if (selected.Vota) add(WriteVotaFile(Yoso, RaceCount, OutputDir));
    if (selected.Rdx) add(WriteRdxFile(Yoso, RaceCount, OutputDir));
    return written;
}

std::vector<OutputFile> BuildEnabledFiles(const TYoso& Yoso, int RaceCount, const std::string& OutputDir,
                                          const OutputSelection& selected) {
    std::vector<OutputFile> files;
    const OutputSink keep = CollectInto(files);
    if (selected.Syousai) BuildSyousaiFile(Yoso, RaceCount, OutputDir, keep);
    if (selected.Vota) BuildVotaFile(Yoso, RaceCount, OutputDir, keep);
    if (selected.Rdx) BuildRdxFile(Yoso, RaceCount, OutputDir, keep);
    return files;
}

}  // namespace talpo
