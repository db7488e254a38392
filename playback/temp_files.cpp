// Files of the play pipeline: a record's full path, its temporary copy and the copying.
#include "playback/temp_files.h"

#include <cerrno>
#include <sys/stat.h>

#include "platform/file.h"
#include "platform/file_info.h"
#include "platform/file_name_text.h"
#include "playback/player_settings.h"

namespace tracklore::playback {

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

std::string TempStorageFolder(const std::string& storagePath) {
    return storagePath.empty() ? TempFolder() : storagePath;
}

std::string TempCopyPath(const std::string& folder, const std::string& fileName) {
    std::string target = TempStorageFolder(folder);
    // A folder typed without its closing separator still receives the copy inside it,
    // rather than beside it under a name glued to the folder's.
    if (target.back() != '/' && target.back() != '\\') target += '/';
    return target + FileNameOf(fileName);
}

bool DeleteTempFile(const std::string& path) {
    // Clearing a read-only mark: the owner may write again (the folder decides about deletion).
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
    const int error = platform::RemoveFile(path);
    return error == 0 || error == ENOENT;
}

}  // namespace tracklore::playback
