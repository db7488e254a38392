// tracklore-print: the print command of tracklore-cli as a program of its own, the one that
// links Qt; tracklore-cli hands `print` over to it with the capacity in TRACKLORE_CAPACITY.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "cli/capacity.h"
#include "cli/print_commands.h"

int main(int argc, char** argv) {
    if (const char* variable = std::getenv("TRACKLORE_CAPACITY");
        variable != nullptr && variable[0] != '\0') {
        const auto capacity = tracklore::cli::ParseCapacity(variable);
        if (!capacity) {
            std::fprintf(stderr, "Invalid capacity \"%s\" in TRACKLORE_CAPACITY\n", variable);
            return 2;
        }
        tracklore::cli::SetCatalogueCapacity(*capacity);
    }
    try {
        return tracklore::cli::RunPrint(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
