// tracklore-cli convert, list and merge: catalogue files from the command line.
#pragma once

#include <string>
#include <vector>

namespace tracklore::cli {

/// convert IN OUT: reads IN and writes OUT, each by the format choice.
int RunConvert(const std::vector<std::string>& args);

/// list CAT [--format table|csv|json] [--sort FIELD]: prints the records.
int RunList(const std::vector<std::string>& args);

/// merge CAT IN...: inserts the records of each IN into CAT with new identifiers, saves CAT.
int RunMerge(const std::vector<std::string>& args);

}  // namespace tracklore::cli
