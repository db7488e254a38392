#include "playback/temp_files.h"

#include <cerrno>
#include <sys/stat.h>
#include <vector>

#include "platform/file.h"
#include "platform/file_info.h"
#include "platform/file_name_text.h"
#include "playback/player_settings.h"

namespace tracklore::playback {

namespace {

constexpr size_t kCopyChunk = 64 * 1024;

bool SameFile(const std::string& a, const std::string& b) {
    const auto first = platform::GetFileStatus(a);
    const auto second = platform::GetFileStatus(b);
    return first && second && first->Device == second->Device && first->Inode == second->Inode;
}

// Only a regular file has content to copy: a device such as /dev/zero would be copied until
// the disk is full, and a pipe would give an empty copy. A missing source is left to the
// open, which reports it.
int SourceError(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return 0;
    return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
}

// A pipe or socket where the copy goes would make the open for writing wait for a reader
// for good.
bool IsPipeOrSocket(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode));
}

}  // namespace

std::string FullPathOn(const std::string& root, const std::string& fileName) {
    std::string name = fileName;
    for (char& c : name)
        if (c == '\\') c = '/';
    std::string path = root;
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    if (name.empty() || name.front() != '/') path += '/';
    // A name the scan converted from 8-bit bytes leads back to the file of those bytes.
    return platform::FileNameOnDisk(path + name);
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TempCopyPath(const std::string& folder, const std::string& fileName) {
    std::string target = folder.empty() ? TempFolder() : folder;
    // A folder typed without its closing separator still receives the copy inside it,
    // rather than beside it under a name glued to the folder's.
    if (target.back() != '/' && target.back() != '\\') target += '/';
    return target + FileNameOf(fileName);
}

TCopyResult CopyFileOver(const std::string& from, const std::string& to, int& error) {
    error = 0;
    // Opening the target for writing would empty the source itself.
    if (SameFile(from, to)) return TCopyResult::SameFile;
    if ((error = SourceError(from)) != 0) return TCopyResult::Failed;
    if (IsPipeOrSocket(to)) {
        error = EINVAL;
        return TCopyResult::Failed;
    }

    platform::TNativeFile source;
    if (!source.Open(from, platform::kAccessRead, platform::kShareRead,
                     platform::FileCreation::kOpenExisting)) {
        error = source.LastError();
        return TCopyResult::Failed;
    }
    platform::TNativeFile target;
    if (!target.Open(to, platform::kAccessWrite, 0, platform::FileCreation::kCreateAlways)) {
        error = target.LastError();
        return TCopyResult::Failed;
    }
    std::vector<char> buffer(kCopyChunk);
    bool ok = true;
    for (;;) {
        size_t got = 0;
        if (!source.Read(buffer.data(), buffer.size(), got)) {
            error = source.LastError();
            ok = false;
            break;
        }
        if (got == 0) break;
        size_t written = 0;
        if (!target.Write(buffer.data(), got, written) || written != got) {
            error = target.LastError() != 0 ? target.LastError() : ENOSPC;
            ok = false;
            break;
        }
        if (got < buffer.size()) break;
    }
    if (!target.Close() && ok) {
        error = target.LastError();
        ok = false;
    }
    if (!ok) {
        // Only a regular file is a part-written copy; a device named as target stays.
        struct stat info {};
        if (::stat(to.c_str(), &info) == 0 && S_ISREG(info.st_mode)) platform::RemoveFile(to);
        return TCopyResult::Failed;
    }
    return TCopyResult::Copied;
}

bool DeleteTempFile(const std::string& path) {
    // Clearing a read-only mark: the owner may write again (the folder decides about deletion).
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
    const int error = platform::RemoveFile(path);
    return error == 0 || error == ENOENT;
}

}  // namespace tracklore::playback
