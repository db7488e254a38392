// tracklore-cli parse, query and search: the expression language and the field search from
// the command line.
#pragma once

#include <string>
#include <vector>

namespace tracklore::cli {

/// parse EXPR: checks EXPR as the advanced search does and prints its printed form.
int RunParse(const std::vector<std::string>& args);

/// query CAT EXPR [--format table|csv|json]: prints the records EXPR matches, in slot order.
int RunQuery(const std::vector<std::string>& args);

/// search CAT [--id N] [--artist T] ... [--format ...]: prints the records that match the
/// pattern the options build.
int RunSearch(const std::vector<std::string>& args);

}  // namespace tracklore::cli
