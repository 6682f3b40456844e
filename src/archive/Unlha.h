// Extraction of a day's LZH archive. Unlha() keeps the calling convention the start window has always
// used: a command line "e -+c \"ARCHIVE\" \"INDIR/\" rdx_den.dat rdx_uma.dat", a text buffer and its size.
// It returns 0 on success; otherwise non-zero with the reason (UTF-8) in the buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/FolderLock.h"

namespace talpo {

inline constexpr int kUnlhaBufferSize = 10000;

// Return codes of Unlha().
inline constexpr std::int32_t kUnlhaOk = 0;
inline constexpr std::int32_t kUnlhaBadCommandLine = 1;
inline constexpr std::int32_t kUnlhaFailed = 2;

// A member larger than this is refused: a day's files are far smaller, and an archive that unpacks to
// more is damaged or hostile.
inline constexpr std::int64_t kMaxMemberBytes = 64LL * 1024 * 1024;

// The command line is CP932 text; its paths are converted to the file system's encoding. The message
// is cut to bufferSize - 1 bytes at a character boundary and zero-terminated (empty on success). The
// window handle is not used.
std::int32_t Unlha(void* windowHandle, const char* commandLine, char* outputBuffer, std::uint32_t bufferSize);

// The command line the start window builds for an archive and an input folder (ending in a separator).
// Raises ETalpoError when a path cannot be written in CP932 or holds a double quote.
std::string MakeUnlhaCommandLine(const std::string& archivePathFs, const std::string& inputDirFs);

// What a command line asks for: "e", switches starting with '-' (ignored), the archive, the input folder,
// and the two member names (ASCII case ignored, either order). Double quotes group blanks into a path.
struct UnlhaCommand {
    std::string ArchivePathFs;
    std::string InputDirFs;  // always ends in '/'
    std::string Error;       // UTF-8; empty when the line was understood
};
UnlhaCommand ParseUnlhaCommandLine(std::string_view commandLineCp932);

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

// Puts both members into inputDir, both or neither: they are made whole first, then replace the earlier
// files together (common/FileIO.h's CommitTogether), under the folder's lock; waiting is told when another
// run holds it.
ExtractResult StoreDayMembers(const DayMembers& members, const std::string& inputDirFs,
                              const FolderLock::Waiting& waiting = {});

// ReadDayArchive, then StoreDayMembers.
ExtractResult ExtractDayArchive(const std::string& archivePathFs, const std::string& inputDirFs);
// The same from archive bytes in memory.
ExtractResult ExtractDayArchiveFromMemory(const std::string& archiveBytes, const std::string& inputDirFs);

}  // namespace talpo
