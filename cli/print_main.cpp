// tracklore-print: the print command of tracklore-cli as a program of its own, the one that
// links Qt; tracklore-cli hands `print` over to it with the capacity in TRACKLORE_CAPACITY.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/capacity.h"
#include "cli/print_commands.h"

int main(int argc, char** argv) {
    if (!tracklore::cli::TakeCapacityVariable()) return 2;
    try {
        return tracklore::cli::RunPrint(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
