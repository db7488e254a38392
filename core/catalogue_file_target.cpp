#include "core/catalogue_file_target.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "core/format.h"
#include "core/strings.h"
#include "platform/file.h"
#include "streams/file_stream.h"

namespace tracklore {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinks = 40;  // as many as the system follows before ELOOP
constexpr int kNameTries = 100;

[[noreturn]] void FailOpening(const std::string& fileName, int code) {
    throw EInOutError(
        Format(msg::ErrorOpening, fileName.c_str(), platform::SystemErrorText(code).c_str()));
}

std::string Folder(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// Creates a new, empty file beside `target` with a name no other file has; the mode is what
// a new target would get (0666 less the umask). Returns its name, or "" with the error code
// in `code`.
std::string CreateTemporary(const std::string& target, int& code) {
    const std::string stem =
        Folder(target) + "/." + fs::path(target).filename().string() + ".saving-";
    std::random_device seed;
    std::mt19937_64 random(seed() ^ (static_cast<uint64_t>(getpid()) << 32));
    code = EEXIST;
    for (int attempt = 0; attempt < kNameTries && code == EEXIST; ++attempt) {
        const std::string name =
            stem + Format("%012llx", static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        code = errno;
    }
    return {};
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

void WriteThrough(const std::string& path, const std::function<void(StreamChain&)>& write) {
    auto* file = new TFileStream(path, OpenWrite | OpenCreate);
    StreamChain chain(file);
    write(chain);
    TFilterStream::FlushChain(chain.get());
    file->Flush();
    chain.reset();
}

}  // namespace

void WriteAll(TBaseStream& stream, const void* bytes, size_t count) {
    const auto size = static_cast<int32_t>(count);
    if (stream.Write(bytes, size) != size) throw EInOutError(Format(msg::ErrorWriting, ""));
}

std::string ResolveSaveTarget(const std::string& fileName) {
    std::string path = fileName;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat status;
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t size = ::readlink(path.c_str(), target.data(), target.size());
        if (size < 0) FailOpening(fileName, errno);
        target.resize(static_cast<size_t>(size));
        path = (!target.empty() && target[0] == '/') ? target : Folder(path) + "/" + target;
    }
    FailOpening(fileName, ELOOP);
}

void WriteReplacing(const std::string& fileName, const std::function<void(StreamChain&)>& write) {
    const std::string target = ResolveSaveTarget(fileName);
    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) FailOpening(fileName, EISDIR);
        if (!S_ISREG(old.st_mode)) {
            // Devices and pipes cannot be replaced by a file; they take the bytes directly.
            WriteThrough(target, write);
            return;
        }
        // Renaming would replace a file the user may not write; refuse as opening it would.
        if (::access(target.c_str(), W_OK) != 0) FailOpening(fileName, errno);
    }
    int code = 0;
    const std::string temporary = CreateTemporary(target, code);
    if (temporary.empty()) {
        // A folder the user may not write can still hold a file the user may write: that
        // file is saved in place, without the safety of the replacement.
        if (exists && (code == EACCES || code == EPERM)) {
            WriteThrough(target, write);
            return;
        }
        // The error names the target: to the user the save could not open it.
        FailOpening(fileName, code);
    }
    try {
        WriteThrough(temporary, write);
        if (exists) CopyAttributes(temporary, old);
        if (::rename(temporary.c_str(), target.c_str()) != 0) FailOpening(fileName, errno);
    } catch (...) {
        platform::RemoveFile(temporary);
        throw;
    }
    SyncFolder(Folder(target));
}

}  // namespace tracklore
