// File access for the data files and the output files.
#include "common/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "common/InputFile.h"
#include "common/TalpoError.h"

namespace talpo {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::string ReadWholeFile(const std::string& fsPath, std::uint64_t maxBytes) {
    InputFile file(fsPath);
    if (file.Size() > maxBytes) throw TooLargeError(maxBytes >> 20);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(file.Size()));
    // Read to the end and not to the size: the system's own files say they are empty and are not.
    char buf[1 << 16];
    for (;;) {
        const std::size_t n = file.Read(buf, sizeof buf);
        if (bytes.size() + n > maxBytes) throw TooLargeError(maxBytes >> 20);
        bytes.append(buf, n);
        if (n < sizeof buf) return bytes;
    }
}

void CheckWholeRecords(std::uint64_t byteCount, std::size_t recordSize) {
    if (byteCount % recordSize != 0) throw ReadPastEndError();
}

std::string ReadRecordFile(const std::string& fsPath, std::size_t recordSize) {
    InputFile file(fsPath);
    CheckWholeRecords(file.Size(), recordSize);
    std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
    // A file cut short since it was opened is found by what could be read.
    bytes.resize(file.Read(bytes.data(), bytes.size()));
    CheckWholeRecords(bytes.size(), recordSize);
    return bytes;
}

StagedFile::StagedFile(std::string targetPath) : target_(std::move(targetPath)) {
    std::vector<char> name(target_.begin(), target_.end());
    for (const char c : std::string(".tmpXXXXXX")) name.push_back(c);
    name.push_back('\0');
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) throw FileCreateError(target_);
    temp_ = name.data();
    // mkostemp makes the file private; the program's files are ordinary files the user reads and shares.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
}

StagedFile::~StagedFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temp_.c_str());
}

void StagedFile::Append(const void* data, std::size_t size) {
    if (fd_ < 0) throw FileCreateError(target_);
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw FileCreateError(target_);
        p += n;
        size -= static_cast<std::size_t>(n);
    }
}

void StagedFile::Finish() {
    if (fd_ < 0) throw FileCreateError(target_);
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed) throw FileCreateError(target_);
}

void StagedFile::CheckReplaceable() const {
    struct stat st {};
    if (::lstat(target_.c_str(), &st) == 0 ? S_ISDIR(st.st_mode) : errno != ENOENT) {
        throw FileCreateError(target_);
    }
}

void StagedFile::Commit() {
    if (fd_ >= 0 || committed_ || ::rename(temp_.c_str(), target_.c_str()) != 0)
        throw FileCreateError(target_);
    committed_ = true;
}

void WriteFileAtomic(const std::string& fsPath, const std::string& bytes) {
    StagedFile file(fsPath);
    file.Append(bytes.data(), bytes.size());
    file.Finish();
    file.Commit();
}

bool FileExists(const std::string& fsPath) {
    struct stat st {};
    return ::stat(fsPath.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

}  // namespace talpo
