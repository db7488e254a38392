// Files of the play pipeline: a record's full path on its drive, the temporary copy's path,
// and deleting a copy that may be read-only.
#pragma once

#include <string>

namespace tracklore::playback {

/// The file `fileName` (the path below a drive's root, "\" or "/" separated) on the drive
/// whose root folder is `root`: root + name, with "\" turned into "/" and one "/" between,
/// and parts of the name the scan converted from 8-bit bytes mapped back (FileNameOnDisk).
std::string FullPathOn(const std::string& root, const std::string& fileName);

/// The part after the last "/" or "\".
std::string FileNameOf(const std::string& path);

/// The folder the temporary copies go into: `storagePath`, or the system's temporary folder
/// when it is empty.
std::string TempStorageFolder(const std::string& storagePath);

/// Where the temporary copy of `fileName` goes: inside `folder` (a "/" is put between when
/// the folder lacks one; an empty folder stands for the system's temporary folder).
std::string TempCopyPath(const std::string& folder, const std::string& fileName);

/// Makes the file writable for its owner, then deletes it. True when it is gone (also when
/// it was gone already).
bool DeleteTempFile(const std::string& path);

}  // namespace tracklore::playback
