// File access for the data files and the output files.
#include "common/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

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
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string ReadWholeFile(const std::string& fsPath) {
    Fd fd(::open(fsPath.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw ErrnoError(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throw ErrnoError(errno);
    std::string bytes;
    if (S_ISREG(st.st_mode)) bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErrnoError(errno);
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    return bytes;
}

void CheckWholeRecords(std::size_t byteCount, std::size_t recordSize) {
    if (byteCount % recordSize != 0) throw ReadPastEndError();
}

std::string ReadRecordFile(const std::string& fsPath, std::size_t recordSize) {
    std::string bytes = ReadWholeFile(fsPath);
    CheckWholeRecords(bytes.size(), recordSize);
    return bytes;
}

void WriteFileAtomic(const std::string& fsPath, const std::string& bytes) {
    std::vector<char> tmpl(fsPath.begin(), fsPath.end());
    const std::string suffix = ".tmpXXXXXX";
    tmpl.insert(tmpl.end(), suffix.begin(), suffix.end());
    tmpl.push_back('\0');
    Fd fd(::mkstemp(tmpl.data()));
    if (fd.get() < 0) throw FileCreateError(fsPath);
    const std::string tmpPath(tmpl.data());
    // mkstemp creates 0600; an output file is an ordinary file the user reads and shares.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd.get(), 0666 & ~mask);
    const bool ok = WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && ::close(fd.release()) == 0 &&
                    ::rename(tmpPath.c_str(), fsPath.c_str()) == 0;
    if (!ok) {
        ::unlink(tmpPath.c_str());
        throw FileCreateError(fsPath);
    }
}

bool FileExists(const std::string& fsPath) {
    struct stat st {};
    return ::stat(fsPath.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

}  // namespace talpo
