// Saving a file so that it is either wholly replaced or left as it was: the bytes go to a
// temporary file beside the target, which takes the target's place only once complete.
#pragma once

#include <functional>
#include <string>

namespace tracklore::platform {

/// Writes the whole new content to the file named `path`: opens it for writing (creating or
/// emptying it), sets `opened` once it is open, writes, flushes to the device and closes it.
/// Raises on any failure.
using TFileWriter = std::function<void(const std::string& path, bool& opened)>;

/// The file a save to `fileName` writes: symbolic links are followed to the file they name
/// (which need not exist yet). Raises EInOutError "Error opening ..." on a link loop.
std::string ResolveSaveTarget(const std::string& fileName);

/// Writes `fileName` through `write`, then puts the new file in the target's place (see
/// ResolveSaveTarget), keeping an existing target's permission bits (and owner where
/// allowed). On any failure the error is raised, the temporary file removed and the previous
/// file left untouched. The temporary file has no name until complete where the file system
/// allows; named ones that killed saves left for the same target are removed first (see
/// save_temporary.h).
/// An existing target that is no regular file (a device, a pipe) is written in place. So is
/// a writable file in a folder where no new file may be made: its old bytes are kept in
/// memory and put back when the save fails after the file was opened, and a file whose bytes
/// cannot be kept (not readable, over 256 MiB) is refused before anything is written.
/// A target that is a folder, or a regular file this process may not write, is refused with
/// EInOutError "Error opening ..." before anything is written.
void ReplaceFile(const std::string& fileName, const TFileWriter& write);

}  // namespace tracklore::platform
