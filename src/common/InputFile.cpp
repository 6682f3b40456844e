// Opening input files as regular files only, and reading them.
#include "common/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/TalpoError.h"

namespace talpo {

namespace {

// Without O_NONBLOCK the open of a FIFO waits for a writer that may never come.
int OpenForReading(const std::string& fsPath) {
    const int fd = ::open(fsPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) throw ErrnoError(errno);
    return fd;
}

}  // namespace

InputFile::InputFile(const std::string& fsPath) : fd_(OpenForReading(fsPath)) {
    struct stat st {};
    if (::fstat(fd_.Get(), &st) != 0) throw ErrnoError(errno);
    if (!S_ISREG(st.st_mode)) throw NotAFileError();
    // Reads of a regular file never wait; the flag is cleared all the same, so that they are plain reads.
    const int flags = ::fcntl(fd_.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd_.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) throw ErrnoError(errno);
    size_ = static_cast<std::uint64_t>(st.st_size);
}

std::size_t InputFile::Read(char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd_.Get(), data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw ErrnoError(errno);
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

}  // namespace talpo
