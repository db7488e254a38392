// Saving a file so that it is either wholly replaced or left as it was: the bytes go to a
// temporary file beside the target, which takes the target's place only once complete.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "streams/stream.h"

namespace tracklore {

/// Writes all `count` bytes to `stream`. A stream that takes fewer raises EInOutError
/// "Error writing to stream - " with an empty detail, as a strict file stream does.
void WriteAll(TBaseStream& stream, const void* bytes, size_t count);

/// The file a save to `fileName` writes: symbolic links are followed to the file they name
/// (which need not exist yet). Raises EInOutError "Error opening ..." on a link loop.
std::string ResolveSaveTarget(const std::string& fileName);

/// Writes `fileName` through `write`, which gets a chain holding only a TFileStream open for
/// writing on an empty file and may put filters over it. After `write` returns, the chain is
/// flushed top-down and to the device and closed, and the new file replaces the target
/// (see ResolveSaveTarget), keeping an existing target's permission bits. On any failure
/// the error is raised, the temporary file removed and the previous file left untouched.
/// The temporary file has no name until complete where the file system allows; named ones
/// that killed saves left for the same target are removed first (see save_temporary.h).
/// An existing target that is no regular file (a device, a pipe) is written in place. So is
/// a writable file in a folder where no new file may be made: its old bytes are kept in
/// memory and put back when the save fails, and a file whose bytes cannot be kept (not
/// readable, over 256 MiB) is refused before anything is written.
/// A target that is a folder, or a regular file this process may not write, is refused with
/// EInOutError "Error opening ..." before anything is written.
void WriteReplacing(const std::string& fileName, const std::function<void(StreamChain&)>& write);

}  // namespace tracklore
