// Runs that write into one folder take turns: the writer of a set of files that belongs together (the
// day's data pair, a day's output files) holds the folder's lock until the whole set is in place, so two
// runs never leave a mix of their days; a reader of such a set holds it shared while it opens the files, so
// it never takes one file of each day. The lock is flock on the folder itself, so no lock file is ever
// made or left, and the system lets it go with the process however that ends.
#pragma once

#include <functional>
#include <string>

#include "common/UniqueFd.h"

namespace talpo {

class FolderLock {
public:
    // Told the folder's path once when another run holds the lock, with a way to try for the lock again
    // without waiting. It returns true when it took the lock that way, false to wait for it as usual, and
    // raises to give up (a window that must not stop its event loop polls and lets the user cancel).
    using Waiting = std::function<bool(const std::string& folder, const std::function<bool()>& tryAgain)>;

    enum class Access { Exclusive, Shared };

    // Waits for the folder's lock. A folder that cannot be opened is not locked and raises nothing: the
    // files written into it or read from it report the failure with their own paths.
    explicit FolderLock(const std::string& folder, const Waiting& waiting = {},
                        Access access = Access::Exclusive);
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Held() const { return held_; }

private:
    // The lock goes with the descriptor, closed with the object (or when the constructor raises).
    UniqueFd fd_;
    bool held_ = false;
};

}  // namespace talpo
