// tracklore-cli scan and info: MP3 files from the command line.
#pragma once

#include <string>
#include <vector>

namespace tracklore::cli {

/// scan [--scan-vbr] CAT PATH...: scans folders and files into CAT (made when missing) and saves
/// it.
int RunScan(const std::vector<std::string>& args);

/// info FILE: the tag kind, every frame and the audio values of one file.
int RunInfo(const std::vector<std::string>& args);

}  // namespace tracklore::cli
