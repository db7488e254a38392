// tracklore-cli print: handed over to the print helper, the one program of the tool that
// links Qt, so that every other command starts without loading the toolkit.
#pragma once

#include <string>
#include <vector>

namespace tracklore::cli {

/// The print helper's file name; it lies beside tracklore-cli, or in PREFIX/lib/tracklore.
inline constexpr char kPrintHelper[] = "tracklore-print";

/// Replaces this process with the print helper, giving it `args` and the catalogue capacity
/// (in TRACKLORE_CAPACITY). Returns only when no helper could be started, after saying why:
/// 1.
int LaunchPrint(const std::vector<std::string>& args);

}  // namespace tracklore::cli
