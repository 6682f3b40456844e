// Shared helpers of the tests: temporary folders, whole-file reads and writes, CP932 literals.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/Cp932.h"
#include "common/TalpoError.h"

namespace talpo::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The folder as the program keeps folders: with a trailing separator.
    std::string Dir() const { return path_.string() + "/"; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// Path of a fixture file under tests/fixtures.
std::string FixturePath(const std::string& name);

// The system error that f raises; a test failure when it raises none.
ETalpoError ErrorOf(const std::function<void()>& f);

// The kind of the system error that f raises; a test failure when it raises none.
ErrorKind KindOf(const std::function<void()>& f);

// An LZH archive of stored (-lh0-) members with level-0 headers, made byte by byte: for names no fixture
// has, and for archives of generated days, with no archiver at hand.
std::string StoredLzhArchive(const std::vector<std::pair<std::string, std::string>>& members);

// CRLF-terminated CP932 text from UTF-8 lines.
std::string CrlfLines(std::initializer_list<std::string> utf8Lines);

// Where a file is no regular file: a FIFO without a writer, a link to /dev/zero, a folder.
void MakeFifo(const std::filesystem::path& path);
void MakeLinkToDevZero(const std::filesystem::path& path);

// A file of size bytes that takes no room on the disk; reading it would take seconds and the memory.
void MakeSparseFile(const std::filesystem::path& path, std::uint64_t size);

// The largest resident memory, in bytes, of this process or of its waited-for children.
std::uint64_t PeakMemory(bool children = false);

// Ends the test program when a step that must not wait is still running after the seconds given, so that
// a regression fails the test instead of hanging it; disarmed when the object goes.
class HangGuard {
public:
    explicit HangGuard(unsigned seconds);
    ~HangGuard();
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

}  // namespace talpo::test
