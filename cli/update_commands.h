// tracklore-cli update: bringing the records of folders up to date with their files.
#pragma once

#include <string>
#include <vector>

namespace tracklore::cli {

/// update CAT PATH... [--remove-missing] [--scan-vbr]: updates the records of each folder
/// in CAT, prints the counts and lists, and saves CAT when anything changed.
int RunUpdate(const std::vector<std::string>& args);

}  // namespace tracklore::cli
