#include "cli/catalogue_commands.h"

#include <cstdio>

namespace tracklore::cli {

int RunConvert(const std::vector<std::string>&) {
    return 1;
}
int RunList(const std::vector<std::string>&) {
    return 1;
}
int RunMerge(const std::vector<std::string>&) {
    return 1;
}

}  // namespace tracklore::cli
