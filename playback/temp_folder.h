// The private folder that holds one run's temporary copies for the player, and the removal
// of such folders that earlier runs left behind.
//
// A folder is named kTempFolderPrefix + the process ID + "-" + six random characters, made
// with mode 0700 inside the temporary storage folder, so nobody else can plant, read or swap
// a file in it, and its name tells which run made it.
#pragma once

#include <string>

namespace tracklore::playback {

inline constexpr char kTempFolderPrefix[] = "tracklore-copies-";

/// Makes a new private folder inside `base` (mode 0700) and returns its path (no trailing
/// "/"); "" with the system's error code in `error` when it cannot be made.
std::string MakePrivateTempFolder(const std::string& base, int& error);

/// Removes from `base` the private folders of runs that have ended: only real folders (not
/// links) owned by this user whose process no longer runs, together with the files and links
/// in them (never anything they point to). A folder still holding a sub-folder stays.
/// Returns how many folders were removed.
int RemoveLeftTempFolders(const std::string& base);

/// Creates the file `to` anew (O_CREAT|O_EXCL|O_NOFOLLOW, mode 0600) and copies the regular
/// file `from` into it. Never opens an existing `to`; removes the part-written copy it made
/// when the copy fails. False with the system's error code in `error` on failure.
bool CopyToNewFile(const std::string& from, const std::string& to, int& error);

}  // namespace tracklore::playback
