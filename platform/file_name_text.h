// File names that are not UTF-8 (8-bit names from old CDs and FAT sticks) in records.
// A record keeps its texts as UTF-8, and a catalogue file would read a name of other bytes as
// Windows-1252 on load, so that the name no longer led to its file. The scan therefore
// converts such a name once, and whoever looks for the file maps it back.
#pragma once

#include <string>
#include <string_view>

namespace tracklore::platform {

/// The path as a record keeps it: each "/"-separated part stays when it is UTF-8, and is
/// read as Windows-1252 otherwise.
std::string FileNameText(std::string_view path);

/// The path on disk that FileNameText turned into `path`: `path` itself when it exists;
/// otherwise, part by part from the left, each part as it stands when that exists, else its
/// Windows-1252 bytes when those are not UTF-8 and exist. Where both exist the UTF-8 name
/// wins. A path found neither way comes back unchanged, for the caller to report.
std::string FileNameOnDisk(const std::string& path);

}  // namespace tracklore::platform
