// tracklore-cli pack and unpack: the LZ77 stream applied to a raw file, and undone.
#pragma once

#include <string>
#include <vector>

namespace tracklore::cli {

/// pack IN OUT: compresses IN into OUT. Returns the exit status.
int RunPack(const std::vector<std::string>& args);

/// unpack IN OUT: decompresses IN into OUT. Returns the exit status.
int RunUnpack(const std::vector<std::string>& args);

}  // namespace tracklore::cli
