// tracklore-cli stats: the totals File Info shows, for a catalogue file.
#pragma once

#include <string>
#include <vector>

namespace tracklore::cli {

/// stats CAT: prints "Files in database: N", "Total playtime: ..." and "Total storage size
/// used on files: ..." for CAT, one per line.
int RunStats(const std::vector<std::string>& args);

}  // namespace tracklore::cli
