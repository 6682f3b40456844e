// Extraction of a day's LZH archive. Unlha() keeps the calling convention the start window has always
// used: a command line "e -+c \"ARCHIVE\" \"INDIR/\" rdx_den.dat rdx_uma.dat", a text buffer and its size.
// It returns 0 on success; otherwise non-zero with the reason (UTF-8) in the buffer.
#pragma once

#include <cstdint>
#include <string>

namespace talpo {

inline constexpr int kUnlhaBufferSize = 10000;

std::int32_t Unlha(void* windowHandle, const char* commandLine, char* outputBuffer, std::uint32_t bufferSize);

// The command line the start window builds for an archive and an input folder (ending in a separator).
std::string MakeUnlhaCommandLine(const std::string& archivePathFs, const std::string& inputDirFs);

struct ExtractResult {
    bool Ok = false;
    std::string Message;  // UTF-8; empty on success
};

// Takes exactly the members rdx_den.dat and rdx_uma.dat (base name, ASCII case ignored) into inputDir,
// both or neither: they are written to temporary files and renamed into place only when both are whole.
ExtractResult ExtractDayArchive(const std::string& archivePathFs, const std::string& inputDirFs);
// The same from archive bytes in memory.
ExtractResult ExtractDayArchiveFromMemory(const std::string& archiveBytes, const std::string& inputDirFs);

}  // namespace talpo
