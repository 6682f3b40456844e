// The folder lock, on flock.
#include "common/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace talpo {
namespace {

int Lock(int fd, int operation) {
    int r = 0;
    do {
        r = ::flock(fd, operation);
    } while (r != 0 && errno == EINTR);
    return r == 0 ? 0 : errno;
}

}  // namespace

FolderLock::FolderLock(const std::string& folder, const Waiting& waiting, Access access) {
    const int kind = access == Access::Shared ? LOCK_SH : LOCK_EX;
    const std::string path = folder.empty() ? "." : folder;
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    int err = Lock(fd, kind | LOCK_NB);
    if (err == EWOULDBLOCK) {
        try {
            if (waiting) waiting(folder);
        } catch (...) {
            ::close(fd);
            throw;
        }
        err = Lock(fd, kind);
    }
    // A file system without locks (some network shares) still takes the files: the runs then go
    // unguarded, as they always have there.
    if (err != 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace talpo
