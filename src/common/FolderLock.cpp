// The folder lock, on flock.
#include "common/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>

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

FolderLock::FolderLock(const std::string& folder, const Waiting& waiting, Access access)
    : fd_(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_.Get() < 0) return;
    const int kind = access == Access::Shared ? LOCK_SH : LOCK_EX;
    int err = Lock(fd_.Get(), kind | LOCK_NB);
    if (err == EWOULDBLOCK) {
        const auto tryAgain = [&] {
            err = Lock(fd_.Get(), kind | LOCK_NB);
            return err != EWOULDBLOCK;
        };
        if (!waiting || !waiting(folder, tryAgain)) err = Lock(fd_.Get(), kind);
    }
    // A file system without locks (some network shares) still takes the files: the runs then go
    // unguarded, as they always have there.
    held_ = err == 0;
}

}  // namespace talpo
