// The private folder of one run's temporary copies, and its removal at the end.
#include "playback/temp_folder.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/descriptor.h"

namespace tracklore::playback {

namespace {

constexpr size_t kCopyChunk = 64 * 1024;

using platform::TDescriptor;

// The process ID in a private folder's name, or 0 when the name is not one of ours.
pid_t OwnerPid(std::string_view name) {
    const std::string_view prefix = kTempFolderPrefix;
    if (name.substr(0, prefix.size()) != prefix) return 0;
    name.remove_prefix(prefix.size());
    long long pid = 0;
    size_t digits = 0;
    while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9' && digits < 10)
        pid = pid * 10 + (name[digits++] - '0');
    if (digits == 0 || digits >= name.size() || name[digits] != '-') return 0;
    if (pid <= 0 || pid > 0x7fffffff) return 0;
    return static_cast<pid_t>(pid);
}

// A process of another user answers EPERM: it runs all the same.
bool Running(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

// Empties and removes the folder `name` of the open folder `parent`, after checking that it
// is a real folder of this user (the check is made on the opened folder itself, so it
// cannot be swapped between check and use).
bool RemoveOwnedFolder(int parent, const char* name) {
    TDescriptor fd(::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.Get() < 0) return false;
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    DIR* folder = ::fdopendir(fd.Get());
    if (folder == nullptr) return false;
    const int inner = fd.Release();
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view entryName = entry->d_name;
        if (entryName != "." && entryName != "..") names.emplace_back(entryName);
    }
    // unlinkat without AT_REMOVEDIR removes files and links themselves and refuses folders.
    for (const std::string& entryName : names)
        ::unlinkat(inner, entryName.c_str(), 0);
    ::closedir(folder);
    return ::unlinkat(parent, name, AT_REMOVEDIR) == 0;
}

}  // namespace

std::string MakePrivateTempFolder(const std::string& base, int& error) {
    std::string path = base.empty() ? std::string(".") : base;
    if (path.back() != '/') path += '/';
    path += kTempFolderPrefix + std::to_string(::getpid()) + "-XXXXXX";
    // mkdtemp makes the folder with mode 0700 under a name nobody could have foreseen.
    if (::mkdtemp(path.data()) == nullptr) {
        error = errno;
        return {};
    }
    error = 0;
    return path;
}

int RemoveLeftTempFolders(const std::string& base) {
    TDescriptor fd(::open(base.empty() ? "." : base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() < 0) return 0;
    DIR* folder = ::fdopendir(fd.Get());
    if (folder == nullptr) return 0;
    const int parent = fd.Release();
    std::vector<std::string> left;
    while (const dirent* entry = ::readdir(folder)) {
        const pid_t pid = OwnerPid(entry->d_name);
        if (pid != 0 && !Running(pid)) left.emplace_back(entry->d_name);
    }
    int removed = 0;
    for (const std::string& name : left)
        if (RemoveOwnedFolder(parent, name.c_str())) ++removed;
    ::closedir(folder);
    return removed;
}

bool CopyToNewFile(const std::string& from, const std::string& to, int& error) {
    error = 0;
    TDescriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (source.Get() < 0) {
        error = errno;
        return false;
    }
    // Only a regular file has content to copy: a device such as /dev/zero would be copied
    // until the disk is full, and a pipe would give an empty copy.
    struct stat info {};
    error = platform::RegularFileError(source.Get(), info);
    if (error != 0) return false;
    TDescriptor target(
        ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (target.Get() < 0) {
        error = errno;
        return false;
    }
    std::vector<char> buffer(kCopyChunk);
    for (;;) {
        const ssize_t got = ::read(source.Get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            error = errno;
            break;
        }
        if (got == 0) break;
        for (ssize_t done = 0; done < got && error == 0;) {
            const ssize_t put =
                ::write(target.Get(), buffer.data() + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0)
                error = put < 0 ? errno : ENOSPC;
            else
                done += put;
        }
        if (error != 0) break;
    }
    if (::close(target.Release()) != 0 && error == 0) error = errno;
    // The file was made just now by this call, so it is ours to remove.
    if (error != 0) ::unlink(to.c_str());
    return error == 0;
}

}  // namespace tracklore::playback
