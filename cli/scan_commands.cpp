#include "cli/scan_commands.h"

#include <cstdio>

namespace tracklore::cli {

int RunScan(const std::vector<std::string>&) {
    std::fprintf(stderr, "scan: not built yet\n");
    return 1;
}

int RunInfo(const std::vector<std::string>&) {
    std::fprintf(stderr, "info: not built yet\n");
    return 1;
}

}  // namespace tracklore::cli
