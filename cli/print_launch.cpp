// Starting the print helper in place of tracklore-cli.
#include "cli/print_launch.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "cli/capacity.h"
#include "platform/program.h"

namespace tracklore::cli {

int LaunchPrint(const std::vector<std::string>& args) {
    const std::string capacity = std::to_string(CatalogueCapacity());
    ::setenv("TRACKLORE_CAPACITY", capacity.c_str(), 1);
    std::vector<std::string> words(args);
    std::vector<char*> argv;
    argv.push_back(nullptr);  // the helper's path, filled in per folder
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int error = ENOENT;
    for (std::string path : platform::ProgramFolders()) {
        path += kPrintHelper;
        argv[0] = path.data();
        ::execv(path.c_str(), argv.data());
        error = errno;
        if (error != ENOENT) break;  // there, but it cannot run: say so rather than look on
    }
    std::fprintf(stderr, "The print helper %s could not be started: %s\n", kPrintHelper,
                 std::strerror(error));
    return 1;
}

}  // namespace tracklore::cli
