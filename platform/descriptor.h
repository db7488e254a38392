// An open file descriptor owned by one object, and the check that a descriptor reads a
// regular file.
#pragma once

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace tracklore::platform {

/// Closes the descriptor it holds when it goes out of scope (a negative one is none).
class TDescriptor {
public:
    explicit TDescriptor(int fd) : fd_(fd) {}
    ~TDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;

    int Get() const { return fd_; }
    /// Hands the descriptor over: it is no longer closed here.
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

/// 0 when `fd` is open on a regular file, with its status in `status`; otherwise the error
/// code: the status call's, EISDIR for a folder, EINVAL for a pipe, socket or device (which
/// have no content to read whole: a pipe waits for a writer, /dev/zero never ends).
inline int RegularFileError(int fd, struct stat& status) {
    if (::fstat(fd, &status) != 0) return errno;
    if (S_ISREG(status.st_mode)) return 0;
    return S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
}

}  // namespace tracklore::platform
