// Whole-file reading and atomic writing. Readers get the system's load messages; writers never leave a
// half-written file behind: the bytes go to a temporary file in the same folder, then replace the target.
// StagedFile is the one place that makes such temporary files; every file the program writes (output
// files, the settings file, the extracted data files) goes through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace talpo {

// What ReadWholeFile reads at most unless told otherwise: far above any settings file or day's archive,
// far below what would exhaust the machine.
inline constexpr std::uint64_t kReadWholeLimit = std::uint64_t{256} << 20;

// Reads a regular file (InputFile.h) opened for reading only. Raises "ﾌｧｲﾙが見つかりません",
// "ﾌｧｲﾙへのｱｸｾｽが拒否されました", "ﾌｧｲﾙではありません" or "I/O ｴﾗｰ (%d)" as the failure calls for, and
// "ﾌｧｲﾙが大きすぎます (%d MiB を超えています)" for more than maxBytes.
std::string ReadWholeFile(const std::string& fsPath, std::uint64_t maxBytes = kReadWholeLimit);

// Reads a regular file of fixed-length records straight into the buffer returned. A size that is not a
// whole multiple of recordSize raises "ﾌｧｲﾙの末尾以降を読み込みました" before anything is read.
std::string ReadRecordFile(const std::string& fsPath, std::size_t recordSize);

// Checks that bytes hold whole records, with the same message.
void CheckWholeRecords(std::uint64_t byteCount, std::size_t recordSize);

// A file written beside its target under a temporary name and put in place only on request, so that
// several files can be made whole first and then replace their earlier versions together. Every failure
// raises "ﾌｧｲﾙ %s を作成できません" with the target's path; the temporary file goes with the object unless
// it was put in place.
class StagedFile {
public:
    // Creates the temporary file in the target's folder, with the permissions of any file the user makes.
    explicit StagedFile(std::string targetPath);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const std::string& TargetPath() const { return target_; }
    const std::string& TempPath() const { return temp_; }

    void Append(const void* data, std::size_t size);
    // Flushes to the disk and closes the temporary file; nothing can be appended afterwards.
    void Finish();
    // Raises unless the target could be replaced: it is missing or not a folder.
    void CheckReplaceable() const;
    // Renames the finished temporary file over the target.
    void Commit();

private:
    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool committed_ = false;
};

// Writes bytes in one step through a StagedFile: on failure the earlier file stays intact, no temporary
// file is left, and "ﾌｧｲﾙ %s を作成できません" is raised.
void WriteFileAtomic(const std::string& fsPath, const std::string& bytes);

bool FileExists(const std::string& fsPath);

}  // namespace talpo
