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

/// Writes `fileName` through `write`, which gets a chain holding only a TFileStream open for
/// writing on an empty file and may put filters over it. After `write` returns, the chain is
/// flushed top-down and to the device and closed, and the new file replaces the target the
/// way platform::ReplaceFile describes (platform/replace_file.h): all or nothing, the old
/// file untouched on failure.
void WriteReplacing(const std::string& fileName, const std::function<void(StreamChain&)>& write);

}  // namespace tracklore
