// tracklore-cli volumes: one line per volume label of a catalogue, with its totals and
// whether a drive of the drive table carries it now.
#pragma once

#include <string>
#include <vector>

namespace tracklore::cli {

/// volumes CAT [--format table|csv|json]
int RunVolumes(const std::vector<std::string>& args);

}  // namespace tracklore::cli
