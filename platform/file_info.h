// What the file system says about paths: existence and kind, size and last-write time, the
// entries of a folder, and the current folder.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tracklore::platform {

struct FileStatus {
    bool IsFolder = false;
    bool IsLink = false;  ///< the path itself is a symbolic link (the rest follows it)
    int64_t Size = 0;
    std::time_t LastWrite = 0;
    uint64_t Device = 0;  ///< with Inode, identifies the file or folder
    uint64_t Inode = 0;
};

/// The status of `path`, following symbolic links; nothing when it does not exist or
/// cannot be examined (errno kept).
std::optional<FileStatus> GetFileStatus(const std::string& path);

struct FolderEntry {
    std::string Name;
    bool IsFolder = false;  ///< a folder, or a link to one
    bool IsDevice = false;  ///< a pipe, socket or device (or a link to one): no file content
};

/// The entries of `folder` in the order the file system returns them, "." and ".."
/// excluded. Nothing when the folder cannot be read (errno kept).
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);

/// `path` made absolute against `currentFolder` when it is relative, with "." and ".."
/// removed and repeated "/" joined; links are not resolved. ".." above the root stays at
/// the root.
std::string AbsolutePath(std::string_view path, std::string_view currentFolder);

/// The current folder, or "" when it cannot be found.
std::string CurrentFolder();

/// The last error code (errno) of the calls above.
int LastFileError();

}  // namespace tracklore::platform
