// Whole-file reading and atomic writing. Readers get the system's load messages; writers never leave a
// half-written file behind: the bytes go to a temporary file in the same folder, then replace the target.
#pragma once

#include <cstddef>
#include <string>

namespace talpo {

// Reads a file opened for reading only. Raises "ﾌｧｲﾙが見つかりません", "ﾌｧｲﾙへのｱｸｾｽが拒否されました" or
// "I/O ｴﾗｰ (%d)" as the failure calls for.
std::string ReadWholeFile(const std::string& fsPath);

// Reads a file of fixed-length records; a length that is not a whole multiple of recordSize raises
// "ﾌｧｲﾙの末尾以降を読み込みました".
std::string ReadRecordFile(const std::string& fsPath, std::size_t recordSize);

// Checks that bytes hold whole records, with the same message.
void CheckWholeRecords(std::size_t byteCount, std::size_t recordSize);

// Writes bytes in one step: temporary file beside the target, flushed, then renamed over it. On failure
// the earlier file stays intact, no temporary file is left, and "ﾌｧｲﾙ %s を作成できません" is raised.
void WriteFileAtomic(const std::string& fsPath, const std::string& bytes);

bool FileExists(const std::string& fsPath);

}  // namespace talpo
