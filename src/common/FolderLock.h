// Runs that write into one folder take turns: the writer of a set of files that belongs together (the
// day's data pair, a day's output files) holds the folder's lock until the whole set is in place, so two
// runs never leave a mix of their days. The lock is flock on the folder itself, so no lock file is ever
// made or left, and the system lets it go with the process however that ends.
#pragma once

#include <functional>
#include <string>

namespace talpo {

class FolderLock {
public:
    // Told the folder's path once, before the wait, when another run holds the lock.
    using Waiting = std::function<void(const std::string& folder)>;

    // Waits for the folder's exclusive lock. A folder that cannot be opened is not locked and raises
    // nothing: the files written into it report the failure with their own paths.
    explicit FolderLock(const std::string& folder, const Waiting& waiting = {});
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace talpo
