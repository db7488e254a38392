#include "cli/pack_commands.h"
namespace tracklore::cli {
int RunPack(const std::vector<std::string>&) { return 1; }
int RunUnpack(const std::vector<std::string>&) { return 1; }
}
