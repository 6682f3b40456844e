// Temporary files beside their targets for the archive extraction.
#include "archive/StagedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "common/TalpoError.h"

namespace talpo {

StagedFile::StagedFile(std::string targetPath) : target_(std::move(targetPath)) {
    std::vector<char> name(target_.begin(), target_.end());
    for (const char c : std::string(".tmpXXXXXX")) name.push_back(c);
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0) throw FileCreateError(target_);
    temp_ = name.data();
    // mkstemp makes the file private; the data files are ordinary files of the user.
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

}  // namespace talpo
