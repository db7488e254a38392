// tracklore-cli duplicates: the groups of records the duplicate finder makes.
#pragma once

#include <string>
#include <vector>

namespace tracklore::cli {

/// duplicates CAT [--rules LIST] [--format table|csv|json]: prints the groups one after
/// another, each record behind its group's number. LIST is "tags", "size" or both
/// separated by a comma (the default).
int RunDuplicates(const std::vector<std::string>& args);

}  // namespace tracklore::cli
