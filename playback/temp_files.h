// Files of the play pipeline: a record's full path on its drive, the temporary copy's path,
// copying over an earlier copy, and deleting a copy that may be read-only.
#pragma once

#include <string>

namespace tracklore::playback {

/// The file `fileName` (the path below a drive's root, "\" or "/" separated) on the drive
/// whose root folder is `root`: root + name, with "\" turned into "/" and one "/" between,
/// and parts of the name the scan converted from 8-bit bytes mapped back (FileNameOnDisk).
std::string FullPathOn(const std::string& root, const std::string& fileName);

/// The part after the last "/" or "\".
std::string FileNameOf(const std::string& path);

/// Where the temporary copy of `fileName` goes: inside `folder` (a "/" is put between when
/// the folder lacks one; an empty folder stands for the system's temporary folder).
std::string TempCopyPath(const std::string& folder, const std::string& fileName);

/// How a copy ended.
enum class TCopyResult {
    Copied,
    SameFile,  ///< source and target are one file: nothing was copied or overwritten
    Failed,
};

/// Copies `from` to `to`, replacing an existing `to`. A failed copy leaves no part-written
/// target behind. `error` gets the system's error code on failure. Only a regular file is
/// copied (a device or pipe as source fails with EINVAL), and a pipe or socket in place of
/// `to` is refused rather than waited on.
TCopyResult CopyFileOver(const std::string& from, const std::string& to, int& error);

/// Makes the file writable for its owner, then deletes it. True when it is gone (also when
/// it was gone already).
bool DeleteTempFile(const std::string& path);

}  // namespace tracklore::playback
