// Files of the operating system: the owning descriptor, file calls and system error texts.
#include "platform/file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/messages.h"

namespace tracklore::platform {

namespace {

// Lock bytes near the top of the offset range: no file of this program comes near them, and
// advisory locks do not hinder reading or writing there anyway.
constexpr off_t kLockBase = 0x7FFFFFFFFFFFFF00;
constexpr off_t kReadAccessByte = kLockBase + 0;
constexpr off_t kWriteAccessByte = kLockBase + 1;
constexpr off_t kDenyReadByte = kLockBase + 2;
constexpr off_t kDenyWriteByte = kLockBase + 3;

constexpr size_t kMaxErrorText = 255;

template <typename Call>
auto RetryOnInterrupt(Call call) {
    auto result = call();
    while (result == -1 && errno == EINTR)
        result = call();
    return result;
}

struct flock LockRequest(short type, off_t byte) {
    struct flock request {};
    request.l_type = type;
    request.l_whence = SEEK_SET;
    request.l_start = byte;
    request.l_len = 1;
    return request;
}

// 0 when the shared lock is held, else the error code.
int HoldShared(int fd, off_t byte) {
    struct flock request = LockRequest(F_RDLCK, byte);
    return RetryOnInterrupt([&] { return fcntl(fd, F_OFD_SETLK, &request); }) == 0 ? 0 : errno;
}

// True when another open file description holds any lock on `byte`.
bool HeldByOthers(int fd, off_t byte) {
    struct flock request = LockRequest(F_WRLCK, byte);
    if (RetryOnInterrupt([&] { return fcntl(fd, F_OFD_GETLK, &request); }) != 0) return false;
    return request.l_type != F_UNLCK;
}

bool LocksUnsupported(int code) {
    return code == ENOLCK || code == EINVAL || code == EOPNOTSUPP || code == EBADF;
}

bool SameFile(int a, int b) {
    struct stat first {};
    struct stat second {};
    return fstat(a, &first) == 0 && fstat(b, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

void CloseQuietly(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace

TNativeFile::~TNativeFile() {
    Close();
}

bool TNativeFile::Fail(int code) {
    lastError_ = code;
    return false;
}

bool TNativeFile::Open(const std::string& path, uint32_t access, uint32_t share,
                       FileCreation creation) {
    Close();
    const bool read = access & kAccessRead;
    const bool write = access & kAccessWrite;
    if (!read && !write) return Fail(EINVAL);
    int flags = O_CLOEXEC | (read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY);
    // Emptying waits until the sharing check has passed, so no O_TRUNC here.
    if (creation == FileCreation::kCreateAlways) flags |= O_CREAT;
    // A pipe opened for reading alone would wait for a writer for good; opened without
    // waiting it reads as empty when nobody writes. Reads block normally afterwards.
    if (read && !write) flags |= O_NONBLOCK;
    const int fd = RetryOnInterrupt([&] { return ::open(path.c_str(), flags, 0666); });
    if (fd < 0) return Fail(errno);
    fd_ = fd;
    if ((flags & O_NONBLOCK) && fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK) != 0) {
        const int code = errno;
        Close();
        return Fail(code);
    }
    struct stat info {};
    if (fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int code = S_ISDIR(info.st_mode) ? EISDIR : errno;
        Close();
        return Fail(code);
    }
    // Sharing guards the content of files; devices and pipes have none to guard.
    if (S_ISREG(info.st_mode) && !TakeSharingLocks(path, access, share)) {
        const int code = lastError_;
        Close();
        return Fail(code);
    }
    if (creation == FileCreation::kCreateAlways && S_ISREG(info.st_mode) && info.st_size > 0 &&
        !EmptyFile(path)) {
        const int code = lastError_;
        Close();
        return Fail(code);
    }
    return true;
}

bool TNativeFile::TakeSharingLocks(const std::string& path, uint32_t access, uint32_t share) {
    int lockFd = fd_;
    if (!(access & kAccessRead)) {
        // Shared locks need a descriptor open for reading.
        lockFd_ = RetryOnInterrupt([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); });
        if (lockFd_ < 0 || !SameFile(fd_, lockFd_)) {
            CloseQuietly(lockFd_);
            return true;
        }
        lockFd = lockFd_;
    }
    struct Claim {
        bool wanted;
        off_t own;       // the byte this open holds
        off_t conflict;  // the byte no other open may hold
    };
    const Claim claims[] = {
        {(access & kAccessRead) != 0, kReadAccessByte, kDenyReadByte},
        {(access & kAccessWrite) != 0, kWriteAccessByte, kDenyWriteByte},
        {(share & kShareRead) == 0, kDenyReadByte, kReadAccessByte},
        {(share & kShareWrite) == 0, kDenyWriteByte, kWriteAccessByte},
    };
    for (const Claim& claim : claims) {
        if (!claim.wanted) continue;
        const int code = HoldShared(lockFd, claim.own);
        if (code == 0) continue;
        if (LocksUnsupported(code)) return true;
        return Fail(EBUSY);  // someone outside holds an exclusive lock there
    }
    // Every lock is taken before any is checked: of two racing opens at least one sees the
    // other.
    for (const Claim& claim : claims) {
        if (claim.wanted && HeldByOthers(lockFd, claim.conflict)) return Fail(EBUSY);
    }
    return true;
}

bool TNativeFile::EmptyFile(const std::string& path) {
    if (RetryOnInterrupt([&] { return ::ftruncate(fd_, 0); }) == 0) return true;
    if (errno != EBADF && errno != EINVAL) return Fail(errno);
    // Opened for reading only: empty it through a writing descriptor of the same file.
    int writer = RetryOnInterrupt([&] { return ::open(path.c_str(), O_WRONLY | O_CLOEXEC); });
    if (writer < 0) return Fail(errno);
    int code = 0;
    if (!SameFile(fd_, writer)) {
        code = ENOENT;
    } else if (RetryOnInterrupt([&] { return ::ftruncate(writer, 0); }) != 0) {
        code = errno;
    }
    CloseQuietly(writer);
    return code == 0 ? true : Fail(code);
}

namespace {

// Moves `count` bytes with `move(offset, size)` (a read or a write at that offset of the
// buffer) until all are moved, the call moves none (the end of the file), or it fails.
template <class Move>
bool MoveAll(size_t count, size_t& done, int& error, Move move) {
    done = 0;
    while (done < count) {
        const ssize_t moved = RetryOnInterrupt([&] { return move(done, count - done); });
        if (moved < 0) {
            error = errno;
            return false;
        }
        if (moved == 0) break;
        done += static_cast<size_t>(moved);
    }
    return true;
}

}  // namespace

bool TNativeFile::Read(void* buffer, size_t count, size_t& done) {
    auto* bytes = static_cast<char*>(buffer);
    int error = 0;
    if (MoveAll(count, done, error,
                [&](size_t at, size_t size) { return ::read(fd_, bytes + at, size); }))
        return true;
    return Fail(error);
}

bool TNativeFile::Write(const void* buffer, size_t count, size_t& done) {
    const auto* bytes = static_cast<const char*>(buffer);
    int error = 0;
    if (MoveAll(count, done, error,
                [&](size_t at, size_t size) { return ::write(fd_, bytes + at, size); }))
        return true;
    return Fail(error);
}

bool TNativeFile::Seek(int64_t offset) {
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) return Fail(errno);
    return true;
}

std::optional<int64_t> TNativeFile::Position() {
    const off_t position = ::lseek(fd_, 0, SEEK_CUR);
    if (position < 0) {
        Fail(errno);
        return std::nullopt;
    }
    return position;
}

std::optional<int64_t> TNativeFile::Size() {
    struct stat info {};
    if (fstat(fd_, &info) != 0) {
        Fail(errno);
        return std::nullopt;
    }
    return info.st_size;
}

bool TNativeFile::Truncate() {
    const auto position = Position();
    if (!position) return false;
    if (RetryOnInterrupt([&] { return ::ftruncate(fd_, *position); }) != 0) return Fail(errno);
    return true;
}

bool TNativeFile::Flush() {
    if (RetryOnInterrupt([&] { return ::fsync(fd_); }) == 0) return true;
    if (errno == EINVAL || errno == EROFS) return true;  // nothing there to synchronise
    return Fail(errno);
}

void TNativeFile::AdviseAccess(AccessPattern pattern) {
    if (fd_ < 0) return;
    int advice = POSIX_FADV_NORMAL;
    if (pattern == AccessPattern::kSequential) advice = POSIX_FADV_SEQUENTIAL;
    if (pattern == AccessPattern::kRandom) advice = POSIX_FADV_RANDOM;
    // The whole file (length 0 means to its end, also as it grows).
    ::posix_fadvise(fd_, 0, 0, advice);
}

void TNativeFile::AdviseWillNeed(int64_t offset, int64_t length) {
    if (fd_ >= 0) ::posix_fadvise(fd_, offset, length, POSIX_FADV_WILLNEED);
}

bool TNativeFile::Close() {
    CloseQuietly(lockFd_);
    if (fd_ < 0) return true;
    // No retry on EINTR: the descriptor is released either way, and a retry could close a
    // descriptor another thread has just been given.
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? true : Fail(errno);
}

int RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

std::string SystemErrorText(int code) {
#if defined(__GLIBC__)
    if (strerrordesc_np(code) == nullptr) return msg::NoErrorDescription;
#endif
    char buffer[512];
    const char* text = strerror_r(code, buffer, sizeof buffer);
    std::string result = text ? text : "";
    if (result.empty()) return msg::NoErrorDescription;
    if (result.size() > kMaxErrorText) {
        size_t cut = kMaxErrorText;
        while (cut > 0 && (static_cast<unsigned char>(result[cut]) & 0xC0) == 0x80)
            --cut;
        result.resize(cut);
    }
    return result;
}

}  // namespace tracklore::platform
