// A file descriptor owned by one object and closed with it, also when the constructor of the object that
// holds it raises after the open.
#pragma once

#include <unistd.h>

namespace talpo {

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return fd_; }

private:
    int fd_;
};

}  // namespace talpo
