// Whole-file reading and atomic writing. Readers get the system's load messages; writers never leave a
// half-written file or a temporary file behind: the bytes are made whole beside the target, then replace
// it. StagedFile is the one place that makes such files; every file the program writes (output files, the
// settings file, the extracted data files) goes through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/FolderLock.h"
#include "common/PageBuffer.h"

namespace talpo {

// What ReadWholeFile reads at most unless told otherwise: far above any settings file or day's archive,
// far below what would exhaust the machine.
inline constexpr std::uint64_t kReadWholeLimit = std::uint64_t{256} << 20;

// Reads a regular file (InputFile.h) opened for reading only. Raises "ﾌｧｲﾙが見つかりません",
// "ﾌｧｲﾙへのｱｸｾｽが拒否されました", "ﾌｧｲﾙではありません" or "I/O ｴﾗｰ (%d): TEXT" as the failure calls for, and
// "ﾌｧｲﾙが大きすぎます (%d MiB を超えています)" for more than maxBytes.
std::string ReadWholeFile(const std::string& fsPath, std::uint64_t maxBytes = kReadWholeLimit);
// The same into a buffer the caller keeps for one file after another (a season's archives): it grows only
// when a file needs more than it ever held.
void ReadWholeFileInto(const std::string& fsPath, PageBuffer& into, std::uint64_t maxBytes = kReadWholeLimit);

// Reads a regular file of fixed-length records straight into the buffer returned. A size that is not a
// whole multiple of recordSize raises "ﾌｧｲﾙの末尾以降を読み込みました" before anything is read.
PageBuffer ReadRecordFile(const std::string& fsPath, std::size_t recordSize);

// Checks that bytes hold whole records, with the same message.
void CheckWholeRecords(std::uint64_t byteCount, std::size_t recordSize);

// A file made whole before it is put in place, so that several files can be made first and then replace
// their earlier versions together. It is written anonymous (O_TMPFILE in the target's folder) and gets a
// name only for the moment of its replacement, so a run stopped in any way leaves the old file or the new
// one and no temporary file. Where the folder's file system takes no anonymous files, it is a named
// temporary file beside the target from the start ("NAME.tmpXXXXXX"), which SIGINT, SIGTERM and SIGHUP
// remove. Every failure raises "ﾌｧｲﾙ %s を作成できません" with the target's path; the staged bytes go with
// the object unless they were put in place.
class StagedFile {
public:
    // Starts the file in the target's folder, with the permissions of any file the user makes.
    explicit StagedFile(std::string targetPath);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const std::string& TargetPath() const { return target_; }
    // The temporary name the file has now: empty while it is anonymous.
    const std::string& TempPath() const { return temp_; }

    void Append(const void* data, std::size_t size);
    // Flushes to the disk; nothing can be appended afterwards.
    void Finish();
    // Raises unless the target could be replaced: it is missing or not a folder.
    void CheckReplaceable() const;
    // Puts the finished file over the target.
    void Commit();

private:
    friend void CommitTogether(const std::vector<StagedFile*>& files);

    // How a file came to stand at its target, so that it can be taken back.
    enum class Placed { Created, Exchanged, Renamed };

    void OpenNamed();
    int Link(const std::string& name) const;
    void LinkUnderTempName();
    void ForgetTempName();
    void DropTempName();
    void Release();
    Placed PutInPlace();
    Placed ExchangeIn();
    bool SwappedOutAFolder(Placed placed) const;
    void TakeBack(Placed placed);
    static void TakeBackAll(const std::vector<StagedFile*>& files, const std::vector<Placed>& placed);
    void Done();

    std::string target_;
    std::string name_;  // the target's name in its folder
    std::string temp_;
    std::string tempName_;  // temp_ in its folder
    int dirFd_ = -1;
    int fd_ = -1;
    int tempSlot_ = -1;
    bool anonymous_ = false;
    bool finished_ = false;
    bool committed_ = false;
};

// Puts every finished file in place, or none: each replaces its target by an exchange of the two, and
// when one fails, those before it are exchanged back, so the earlier files stand as they were and the
// error names the file that could not be replaced. The earlier contents are removed once all are in.
// Where the file system cannot exchange, a plain rename is used and cannot be taken back.
void CommitTogether(const std::vector<StagedFile*>& files);

// Writes bytes in one step through a StagedFile: on failure the earlier file stays intact, no temporary
// file is left, and "ﾌｧｲﾙ %s を作成できません" is raised.
void WriteFileAtomic(const std::string& fsPath, const std::string& bytes);

// Files that belong together, written through StagedFiles and put in place with CommitTogether.
struct FileBytes {
    std::string Path;
    std::string_view Bytes;
};
void WriteFilesTogether(const std::vector<FileBytes>& files);

// A set of files of one folder (the day's data pair) replaced as WriteFilesTogether does, while the folder's
// lock is held, and after the temporary names a killed run left beside them are cleared.
void ReplaceFolderSet(const std::string& folder, const std::vector<FileBytes>& files,
                      const FolderLock::Waiting& waiting = {});

// Removes the temporary names a killed run left beside the target ("NAME.tmpXXXXXX", made only by
// StagedFile). The folder is read once a process, the first time a file goes into it, and the names found
// then are kept for its later files: writing costs the same in a folder of many files as in an empty one,
// and what a run killed meanwhile leaves is cleared by the next process. Only for a caller that holds the
// folder's lock (common/FolderLock.h) and whose files no run writes without it: no other run can then be
// between the making of such a name and its end.
void RemoveLeftTempNames(const std::string& targetPath);

bool FileExists(const std::string& fsPath);

}  // namespace talpo
