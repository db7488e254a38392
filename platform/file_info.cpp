// What the file system says about a path: kind, size, last-write time and folder listings.
#include "platform/file_info.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tracklore::platform {

namespace {

thread_local int lastError = 0;

template <class T>
T Fail(T value) {
    lastError = errno;
    return value;
}

}  // namespace

std::optional<FileStatus> GetFileStatus(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return Fail(std::optional<FileStatus>());
    FileStatus status;
    status.IsFolder = S_ISDIR(info.st_mode);
    status.Size = static_cast<int64_t>(info.st_size);
    status.LastWrite = info.st_mtim.tv_sec;
    status.Device = static_cast<uint64_t>(info.st_dev);
    status.Inode = static_cast<uint64_t>(info.st_ino);
    struct stat link {};
    status.IsLink = ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
    return status;
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return Fail(std::optional<std::vector<FolderEntry>>());
    std::vector<FolderEntry> entries;
    const int dirFd = ::dirfd(dir);
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) {
            continue;
        }
        FolderEntry item;
        item.Name = entry->d_name;
        // d_type saves a stat per entry on most file systems; links and unknown types are
        // looked at, so a link to a folder counts as a folder.
        if (entry->d_type == DT_DIR) {
            item.IsFolder = true;
        } else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            if (::fstatat(dirFd, entry->d_name, &info, 0) == 0) {
                item.IsFolder = S_ISDIR(info.st_mode);
                item.IsDevice = !S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode);
            }
        } else if (entry->d_type != DT_REG) {
            item.IsDevice = true;  // opening a pipe for reading would wait for a writer
        }
        entries.push_back(std::move(item));
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) {
        lastError = readError;
        return std::nullopt;
    }
    return entries;
}

std::string AbsolutePath(std::string_view path, std::string_view currentFolder) {
    std::string joined;
    if (path.empty() || path.front() != '/') {
        joined.assign(currentFolder);
        joined += '/';
    }
    joined += path;

    std::vector<std::string_view> parts;
    const std::string_view text(joined);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('/', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view part = text.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string result;
    for (const std::string_view part : parts) {
        result += '/';
        result += part;
    }
    return result.empty() ? std::string("/") : result;
}

std::string CurrentFolder() {
    std::string buffer(256, '\0');
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
            buffer.resize(std::strlen(buffer.c_str()));
            return buffer;
        }
        if (errno != ERANGE || buffer.size() > (1u << 20)) return Fail(std::string());
        buffer.resize(buffer.size() * 2);
    }
}

int LastFileError() {
    return lastError;
}

}  // namespace tracklore::platform
