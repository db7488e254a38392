// tracklore-cli: the catalogue's core from the command line.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "cli/pack_commands.h"

namespace {

using Command = int (*)(const std::vector<std::string>&);

struct CommandEntry {
    const char* name;
    const char* usage;
    const char* help;
    Command run;
};

constexpr CommandEntry kCommands[] = {
    {"pack", "pack IN OUT", "compress the raw file IN into OUT with the catalogue's LZ77 stream",
     tracklore::cli::RunPack},
    {"unpack", "unpack IN OUT", "decompress IN, written by pack, into OUT",
     tracklore::cli::RunUnpack},
};

void PrintHelp(std::FILE* out) {
    std::fprintf(out,
                 "Usage: tracklore-cli COMMAND [ARGUMENTS]\n"
                 "\n"
                 "Tracklore, a catalogue of MP3 files, from the command line.\n"
                 "\n"
                 "Commands:\n");
    for (const auto& command : kCommands) {
        std::fprintf(out, "  %-24s %s\n", command.usage, command.help);
    }
    std::fprintf(out,
                 "  %-24s %s\n"
                 "\n"
                 "On failure a command writes the error's message on stderr and exits with a\n"
                 "non-zero status.\n",
                 "--help", "show this text");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintHelp(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& command : kCommands) {
        if (std::strcmp(argv[1], command.name) != 0) continue;
        try {
            return command.run(args);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    std::fprintf(stderr, "Unknown command \"%s\"; see tracklore-cli --help\n", argv[1]);
    return 2;
}
