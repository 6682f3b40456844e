// Extraction of a day's LZH archive: its two members, rdx_den.dat and rdx_uma.dat, read into memory with
// every check, then put into the input folder together. Paths are the file system's bytes throughout.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/FolderLock.h"
#include "common/PageBuffer.h"

namespace talpo {

// A member larger than this is refused: a day's files are far smaller, and an archive that unpacks to
// more is damaged or hostile.
inline constexpr std::int64_t kMaxMemberBytes = 64LL * 1024 * 1024;

struct ExtractResult {
    bool Ok = false;
    std::string Message;  // UTF-8; empty on success
};

// The two members of a day's archive, as their bytes.
struct DayMembers {
    std::string Den;  // rdx_den.dat
    std::string Uma;  // rdx_uma.dat
};

struct DayArchiveResult {
    bool Ok = false;
    std::string Message;  // UTF-8; empty on success
    DayMembers Members;   // both, when Ok
};

// Reads exactly the members rdx_den.dat and rdx_uma.dat (base name, ASCII case ignored) into memory, with
// every check of the extraction; nothing is written anywhere.
DayArchiveResult ReadDayArchive(const std::string& archivePathFs);
// The same from archive bytes in memory. Messages name no archive, having no name to give.
DayArchiveResult ReadDayArchiveFromMemory(const std::string& archiveBytes);

// Reads the two members of one archive after another (a season) into buffers it keeps: the library
// unpacks each member straight into its buffer, sized from the member's header and grown only when a
// member needs more, so that after the first days a day takes no fresh memory for its horse file. The
// checks and messages are ReadDayArchiveFromMemory's.
class DayArchiveReader {
public:
    // The message (UTF-8) of an archive that fails, empty when both members were read.
    std::string Read(std::string_view archiveBytes);
    // The race card of the archive last read, handed over whole: it becomes the day's own.
    PageBuffer TakeDen();
    // The horse file of the archive last read, valid until the next Read.
    std::string_view Uma() const { return members_[1].View(); }

private:
    std::array<PageBuffer, 2> members_;  // rdx_den.dat, rdx_uma.dat
};

// Puts both members into inputDir, both or neither: they are made whole first, then replace the earlier
// files together (common/FileIO.h's CommitTogether), under the folder's lock; waiting is told when another
// run holds it.
ExtractResult StoreDayMembers(const DayMembers& members, const std::string& inputDirFs,
                              const FolderLock::Waiting& waiting = {});

// ReadDayArchive, then StoreDayMembers. A waiting call that gives up (CancelledError) raises through.
ExtractResult ExtractDayArchive(const std::string& archivePathFs, const std::string& inputDirFs,
                                const FolderLock::Waiting& waiting = {});
// The same from archive bytes in memory.
ExtractResult ExtractDayArchiveFromMemory(const std::string& archiveBytes, const std::string& inputDirFs);

}  // namespace talpo
