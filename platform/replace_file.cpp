// ReplaceFile: a new file written beside the target and renamed over it when complete.
#include "platform/replace_file.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "core/format.h"
#include "core/messages.h"
#include "platform/file.h"
#include "platform/save_temporary.h"
#include "streams/stream_errors.h"

namespace tracklore::platform {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinks = 40;  // as many as the system follows before ELOOP
// The most bytes a save in place keeps in memory to put back when it fails.
constexpr int64_t kMaxKeptInPlace = int64_t{256} << 20;

[[noreturn]] void FailOpening(const std::string& fileName, int code) {
    throw EInOutError(Format(msg::ErrorOpening, fileName.c_str(), SystemErrorText(code).c_str()));
}

// Gives the new file the old one's owner (where allowed) and permission bits. The owner
// goes first, since changing it may clear the set-id bits.
void CopyAttributes(const std::string& path, const struct stat& old) {
    if (::chown(path.c_str(), old.st_uid, old.st_gid) != 0) {
        // Only a privileged process may give a file away; the new file stays ours.
    }
    ::chmod(path.c_str(), old.st_mode & 07777);
}

// Makes the rename itself durable. A folder that cannot be synchronised is no failure:
// the file's data already is.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The whole file, or the error code.
int ReadWhole(const std::string& path, std::string& bytes) {
    TNativeFile file;
    if (!file.Open(path, kAccessRead, kShareRead | kShareWrite, FileCreation::kOpenExisting))
        return file.LastError();
    const auto size = file.Size();
    if (!size) return file.LastError();
    if (*size > kMaxKeptInPlace) return EFBIG;
    bytes.resize(static_cast<size_t>(*size));
    size_t done = 0;
    if (!file.Read(bytes.data(), bytes.size(), done)) return file.LastError();
    bytes.resize(done);
    return 0;
}

// Writes `bytes` as the whole content of the existing file `path`; 0 or the error code.
int PutBack(const std::string& path, const std::string& bytes) {
    TNativeFile file;
    size_t done = 0;
    if (!file.Open(path, kAccessWrite, 0, FileCreation::kOpenExisting) ||
        !file.Write(bytes.data(), bytes.size(), done) || !file.Truncate() || !file.Flush() ||
        !file.Close())
        return file.LastError();
    return 0;
}

// A save in place has no second file to fall back on: the old bytes are kept in memory and
// written back when the save fails. A file whose bytes cannot be kept is not touched.
void WriteInPlace(const std::string& fileName, const std::string& target,
                  const TFileWriter& write) {
    std::string before;
    if (const int code = ReadWhole(target, before))
        throw EInOutError(
            Format(msg::InPlaceNotKept, fileName.c_str(), SystemErrorText(code).c_str()));
    bool opened = false;
    try {
        write(target, opened);
    } catch (const std::exception& error) {
        if (!opened) throw;
        if (const int code = PutBack(target, before))
            throw EInOutError(Format(msg::InPlaceNotRestored, error.what(), fileName.c_str(),
                                     SystemErrorText(code).c_str()));
        throw;
    }
}

}  // namespace

std::string ResolveSaveTarget(const std::string& fileName) {
    std::string path = fileName;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat status;
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t size = ::readlink(path.c_str(), target.data(), target.size());
        if (size < 0) FailOpening(fileName, errno);
        target.resize(static_cast<size_t>(size));
        path = (!target.empty() && target[0] == '/') ? target : FolderOf(path) + "/" + target;
    }
    FailOpening(fileName, ELOOP);
}

void ReplaceFile(const std::string& fileName, const TFileWriter& write) {
    const std::string target = ResolveSaveTarget(fileName);
    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) FailOpening(fileName, EISDIR);
        if (!S_ISREG(old.st_mode)) {
            // Devices and pipes cannot be replaced by a file; they take the bytes directly.
            bool opened = false;
            write(target, opened);
            return;
        }
        // Renaming would replace a file the user may not write; refuse as opening it would.
        if (::access(target.c_str(), W_OK) != 0) FailOpening(fileName, errno);
    }
    RemoveStaleTemporaries(target);
    TSaveTemporary temporary(target);
    if (temporary.Path().empty()) {
        // A folder the user may not write can still hold a file the user may write: that
        // file is saved in place, with its old bytes kept to put back on failure.
        const int code = temporary.Error();
        if (exists && (code == EACCES || code == EPERM)) {
            WriteInPlace(fileName, target, write);
            return;
        }
        // The error names the target: to the user the save could not open it.
        FailOpening(fileName, code);
    }
    bool opened = false;
    write(temporary.Path(), opened);
    if (exists) CopyAttributes(temporary.Path(), old);
    if (const int code = temporary.ReplaceTarget()) FailOpening(fileName, code);
    SyncFolder(FolderOf(target));
}

}  // namespace tracklore::platform
