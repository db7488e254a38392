// Files of the operating system: a handle that owns one open file (POSIX descriptor), file
// deletion by name, and the system's text for an error code. Failures return false and keep
// the error code, the way the Windows file functions do, so callers build their own messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tracklore::platform {

/// Access wanted when opening (bit set).
inline constexpr uint32_t kAccessRead = 1;
inline constexpr uint32_t kAccessWrite = 2;

/// Access that other opens of the same file are allowed to have meanwhile (bit set).
inline constexpr uint32_t kShareRead = 1;
inline constexpr uint32_t kShareWrite = 2;

/// What opening does about an existing or missing file.
enum class FileCreation {
    kCreateAlways,  ///< create the file, or empty it when it exists
    kOpenExisting,  ///< the file must exist; it is left as it is
};

/// How a file is going to be read, for the system's read-ahead.
enum class AccessPattern {
    kNormal,      ///< no hint: the system's default read-ahead
    kSequential,  ///< straight through: read ahead more
    kRandom,      ///< a few places: fetch only the pages asked for
};

/// One open file. Not copyable; closes itself silently when destroyed.
///
/// Sharing. POSIX has no mandatory sharing modes, so they are kept with advisory,
/// non-blocking open-file-description locks (fcntl F_OFD_SETLK) on four lock bytes far
/// beyond any real file size: every open holds a shared lock on "read access" and/or "write
/// access" for what it may do, and on "deny read" and/or "deny write" for what it does not
/// share. An open then fails with EBUSY when
///   - it wants read access and another open holds "deny read",
///   - it wants write access and another open holds "deny write",
///   - it does not share reading and another open holds "read access",
///   - it does not share writing and another open holds "write access",
/// which is the Windows rule, for every open made through this class (in this process or
/// another). An open first takes its own locks and then looks for conflicting ones, so two
/// racing opens may both fail but never both succeed. Programs that do not use these locks
/// are not held back. A write-only open keeps its locks on a second, read-only descriptor of
/// the same file; where that cannot be opened, or the file system has no locks, the file is
/// opened without sharing checks. Only regular files are checked: devices such as /dev/full
/// and pipes have no content that sharing could protect.
///
/// Opening with kCreateAlways empties an existing regular file only after the sharing check
/// passed, so a refused open never destroys another writer's data.
class TNativeFile {
public:
    TNativeFile() = default;
    TNativeFile(const TNativeFile&) = delete;
    TNativeFile& operator=(const TNativeFile&) = delete;
    /// Closes the file if it is open; errors are ignored.
    ~TNativeFile();

    /// Opens `path` with `access` (kAccessRead | kAccessWrite, at least one) and `share`
    /// (kShareRead | kShareWrite). Directories are refused (EISDIR). New files get mode 0666
    /// less the umask. Returns false and keeps the error code on failure.
    bool Open(const std::string& path, uint32_t access, uint32_t share, FileCreation creation);
    bool IsOpen() const { return fd_ >= 0; }

    /// Reads until `count` bytes arrived, the end of the file, or an error. `done` is the
    /// count moved, also on failure.
    bool Read(void* buffer, size_t count, size_t& done);
    /// Writes until `count` bytes went out, the system accepts no more, or an error.
    /// `done` is the count moved, also on failure.
    bool Write(const void* buffer, size_t count, size_t& done);
    /// Moves to an absolute offset from the start (also beyond the end).
    bool Seek(int64_t offset);
    /// The current offset, or nothing on failure.
    std::optional<int64_t> Position();
    /// The file's size, or nothing on failure.
    std::optional<int64_t> Size();
    /// Ends the file at the current offset (shortening or extending it).
    bool Truncate();
    /// Asks the system to write the file's data to the device. Files that cannot be
    /// synchronised (pipes, character devices) count as flushed.
    bool Flush();
    /// Tells the system how the file is going to be read. Only a hint: where the system or
    /// the file (a pipe) takes none, nothing changes and no error is kept.
    void AdviseAccess(AccessPattern pattern);
    /// Tells the system that the bytes from `offset` on, `length` of them, will be read
    /// soon, so that it may start fetching them. A hint, as AdviseAccess.
    void AdviseWillNeed(int64_t offset, int64_t length);
    /// Closes the file. The descriptor is released even when this fails.
    bool Close();

    /// The error code (errno value) of the last failed call.
    int LastError() const { return lastError_; }

private:
    bool Fail(int code);
    bool TakeSharingLocks(const std::string& path, uint32_t access, uint32_t share);
    bool EmptyFile(const std::string& path);

    int fd_ = -1;
    int lockFd_ = -1;  // second descriptor holding the locks of a write-only open
    int lastError_ = 0;
};

/// Deletes the file `path`. Returns 0, or the error code on failure.
int RemoveFile(const std::string& path);

/// The system's text for an error code, at most 255 bytes (cut on a character boundary), or
/// "Error occured. Error description not available!" when the system has none.
std::string SystemErrorText(int code);

}  // namespace tracklore::platform
